#include "app/VideoWall.h"

#include "platform/controls/Static.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"

CVideoWall::~CVideoWall() {
    // The window lets go of the bitmap before the bitmap goes.
    if (IsWindow(m_window.Handle())) {
        SendMessage(m_window.Handle(), STM_SETIMAGE, IMAGE_BITMAP, 0);
    }
}

bool CVideoWall::Create(HWND parent, UINT controlId) {
    return m_window.Create(parent, controlId);
}

bool CVideoWall::MakeCanvas() {
    RECT wall;
    if (!GetWindowRect(m_window.Handle(), &wall) || wall.IsEmpty()) {
        return false;
    }
    BITMAPINFO info;
    info.bmiHeader.biWidth = wall.Width();
    info.bmiHeader.biHeight = wall.Height(); // bottom-up, as the canvas is
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    if (!bitmap || !bits) {
        return false;
    }
    // The bitmap's pixels start black, as a new canvas does.
    m_picture.UseCanvas(cv::Mat(wall.Height(), wall.Width(), CV_8UC3, bits,
                                std::size_t(DibStride(wall.Width(), 24))),
                        wall);
    m_wallRect = wall;
    m_bitmap = std::move(bitmap);
    SendMessage(m_window.Handle(), STM_SETIMAGE, IMAGE_BITMAP,
                reinterpret_cast<LPARAM>(m_bitmap.Get()));
    return true;
}

void CVideoWall::OnVideoFrame(const FrameWorkItem* item) {
    if (!item || item->image.empty() || item->image.type() != CV_8UC3) {
        return;
    }
    if (!m_bitmap && !MakeCanvas()) {
        return;
    }
    cv::Rect drawn;
    if (!m_picture.Draw(item, m_wallRect, &drawn)) {
        return;
    }
    // Canvas rows count from the bottom of the picture; the window's from the top.
    const int height = m_wallRect.Height();
    const RECT changed{drawn.x, height - drawn.y - drawn.height, drawn.x + drawn.width,
                       height - drawn.y};
    InvalidateRect(m_window.Handle(), &changed, false);
}
