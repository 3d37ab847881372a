// The video tab's wall: the CDStatic window and the picture composed from the frames of every
// camera. The canvas is the pixel memory of the window's bitmap itself (a bottom-up 24-bit
// device-independent bitmap), so a frame is drawn into its tile once and only that tile is
// repainted: nothing of the rest of the wall is copied per frame.
#pragma once

#include "app/DStatic.h"
#include "app/VideoWallPicture.h"
#include "platform/draw/Bitmap.h"

class CVideoWall {
public:
    CVideoWall() = default;
    CVideoWall(const CVideoWall&) = delete;
    CVideoWall& operator=(const CVideoWall&) = delete;
    ~CVideoWall();

    // Creates the wall window as a child of `parent`.
    bool Create(HWND parent, UINT controlId);
    HWND Handle() const { return m_window.Handle(); }

    // Draws the item (borrowed for the call) into its camera's tile and repaints that tile.
    // The canvas is made at the first item with the window's size at that moment.
    void OnVideoFrame(const FrameWorkItem* item);

private:
    bool MakeCanvas();

    CDStatic m_window;
    RECT m_wallRect{};
    CGdiHandle<HBITMAP> m_bitmap; // the window's bitmap, whose pixels are the canvas
    CVideoWallPicture m_picture;
};
