#include "app/DStatic.h"

#include "platform/base/WindowStyles.h"
#include "platform/controls/Static.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"

namespace {

const WString kStaticProcedure = L"CDStatic.static";

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const auto bitmap = reinterpret_cast<HBITMAP>(SendMessage(hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap) {
        // The bitmap lies at the client area's top-left corner; only the invalid part is copied.
        const RECT part = IntersectRects(ps.rcPaint, client);
        CMemoryDC memory(hdc);
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(hdc, part.left, part.top, part.Width(), part.Height(), memory, part.left, part.top,
               SRCCOPY);
        SelectObject(memory, previous);
    } else {
        const COLORREF previous = SetBkColor(hdc, kWallBackground);
        ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &client, L"");
        SetBkColor(hdc, previous);
    }
    EndPaint(hwnd, &ps);
}

} // namespace

CDStatic::~CDStatic() {
    if (m_hwnd && IsWindow(m_hwnd)) {
        DestroyWindow(m_hwnd);
    }
}

bool CDStatic::Create(HWND parent, UINT controlId) {
    m_hwnd = CreateWindowEx(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 0, 0,
                            parent, controlId, nullptr);
    if (!m_hwnd) {
        return false;
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LPARAM>(&CDStatic::Procedure)));
    SetProp(m_hwnd, kStaticProcedure, reinterpret_cast<void*>(previous));
    return true;
}

LRESULT CDStatic::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetProp(hwnd, kStaticProcedure));
    switch (msg) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_NCDESTROY:
        RemoveProp(hwnd, kStaticProcedure);
        break;
    default:
        break;
    }
    return previous ? CallWindowProc(previous, hwnd, msg, wParam, lParam)
                    : DefWindowProc(hwnd, msg, wParam, lParam);
}
