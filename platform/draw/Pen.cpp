#include "platform/draw/Pen.h"

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME || width < 0) {
        return nullptr;
    }
    return new CPen(style, width, colour);
}
