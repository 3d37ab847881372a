#include "platform/controls/Static.h"

#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"

namespace {

const WString kImageProp = L"StaticImage";

void PaintStatic(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) {
        EndPaint(hwnd, &ps);
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        if (auto* bitmap = static_cast<CBitmap*>(GetProp(hwnd, kImageProp))) {
            CMemoryDC memory(dc);
            HBITMAP old = SelectObject(memory, bitmap);
            BitBlt(dc, 0, 0, bitmap->Width(), bitmap->Height(), memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
        }
    } else {
        CDcStateSaver saved(dc);
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        WString text = GetWindowText(hwnd);
        DrawText(dc, text, &client, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    EndPaint(hwnd, &ps);
}

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case STM_SETIMAGE: {
        if (wParam != IMAGE_BITMAP) {
            return 0;
        }
        void* previous = GetProp(hwnd, kImageProp);
        SetProp(hwnd, kImageProp, reinterpret_cast<void*>(lParam));
        InvalidateRect(hwnd, nullptr, false);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
        return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(GetProp(hwnd, kImageProp)) : 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, false);
        return result;
    }
    case WM_PAINT:
        PaintStatic(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        RemoveProp(hwnd, kImageProp);
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void RegisterStaticClass() {
    RegisterWindowClass(L"Static", StaticProc, 0, IDC_ARROW);
}
