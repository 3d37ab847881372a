// The main window's own window messages: the numbers that the recording pipeline, the UI task
// thread and the tray icon send it.
#pragma once

#include "platform/base/Types.h"

// From the dispatch thread and the session controller. wParam: a FrameWorkItem* that the
// receiver may read during the call only; lParam: 0.
constexpr UINT WM_VIDEO_FRAME = 11024;
// From the session controller when a session starts without any camera.
constexpr UINT WM_NO_CAMERA = 11025;
// Posted by the recording pipeline (a capture or the dispatch thread) once per session and camera
// whose stream file cannot be created or written. wParam: the camera index; lParam: 0. The
// main window shows string 1003 with the camera number as a notice.
constexpr UINT WM_STREAM_FILE_FAILED = 11026;
// From the UI task thread: show a notice. wParam: the title, lParam: the text (wide strings,
// valid during the call only).
constexpr UINT WM_SHOW_NOTICE = 1075;
// The tray icon's callback. wParam: the icon id; lParam: the mouse message.
constexpr UINT WM_TRAY_NOTIFY = 2024;
