// The recording session controller: owns the frame dispatch thread and sixteen capture slots,
// and starts and stops a session on every camera at once. Start and stop run on the UI
// thread, which owns the window the frames are sent to.
#pragma once

#include "capture/Dispatch.h"
#include "capture/VideoThread.h"

#include <array>
#include <atomic>

class CRecordingFolder;

class CCameraManager {
public:
    static constexpr int kSlotCount = 16;

    // The process-wide controller, created on first use and kept until the process ends.
    static CCameraManager* Instance();

    CCameraManager();
    // Ends the session and waits until every camera's final item has been encoded and its file
    // finished, handling what other threads send this thread meanwhile; what was queued is no
    // longer shown. Only then do the capture slots, which own the encoders, go.
    ~CCameraManager();
    CCameraManager(const CCameraManager&) = delete;
    CCameraManager& operator=(const CCameraManager&) = delete;

    // The window that receives WM_VIDEO_FRAME, WM_NO_CAMERA and WM_STREAM_FILE_FAILED, and the
    // recording folder.
    void SetOwner(HWND window, const CRecordingFolder* folder);
    // The clock of every slot (file names and overlays). Set while no session runs.
    void SetClock(const WallClock& clock);

    // Blanks the wall, starts the dispatch thread once, and starts one capture slot per camera
    // (the first sixteen); without cameras, sends WM_NO_CAMERA. Never waits for a capture
    // thread: a slot whose previous thread is still finishing starts when it has.
    void StartAll();
    // Asks every capture slot that records to queue its final item and end (all sixteen, also
    // those above the camera count of a later start); does not wait.
    void StopAll();
    // StopAll, then waits until every camera's final item has been encoded and shown and its
    // file finished, for at most `timeoutMs`. Messages sent to this thread (the frames on their
    // way to the wall) are handled meanwhile; posted messages stay queued. True when
    // everything has finished in time. For the UI thread at exit.
    bool StopAllAndWait(DWORD timeoutMs);

    // Cameras of the last start that record (at most sixteen).
    int CameraCount() const { return m_cameraCount; }
    const CVideoThread& Slot(int index) const {
        return m_slots.at(static_cast<std::size_t>(index));
    }
    const CDispatch& Dispatch() const { return m_dispatch; }
    // No capture slot is running and the dispatch thread has nothing left to do.
    bool IsDrained() const;

private:
    // Clears the started flag of every slot and wakes those waiting for the dispatch thread.
    void RequestStop();
    // From a capture or the dispatch thread: tells the owner that the stream file of `camera`
    // cannot be written (once per session, as the encoder reports once per file).
    void ReportFileFailure(int camera);

    CDispatch m_dispatch;
    std::array<CVideoThread, kSlotCount> m_slots;
    int m_cameraCount = 0;
    std::atomic<HWND> m_owner{nullptr};
};
