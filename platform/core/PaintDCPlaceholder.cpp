// Until the drawing layer provides window device contexts, painting hands out no context.
// The drawing layer's window DC replaces this file (delete it when adding that one).
#include "platform/PaintDC.h"

HDC CreateWindowPaintDC(HWND, const CRegion&) {
    return nullptr;
}
void ReleaseWindowPaintDC(HDC) {}
const CBitmap* GetWindowSurface(HWND) { return nullptr; }
