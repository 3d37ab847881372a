#include "bkwin/BkEditFrame.h"

#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Shapes.h"

void CBkEditFrame::Draw(HDC dc, const RECT& rect, bool hover) {
    CGdiHandle<HPEN>& pen = hover ? m_hoverPen : m_normalPen;
    if (!pen) {
        pen.Reset(hover ? CreatePen(PS_INSIDEFRAME, 2, kHoverColour)
                        : CreatePen(PS_INSIDEFRAME, 1, kNormalColour));
    }
    CDcStateSaver saver(dc);
    SelectObject(dc, pen.Get());
    SelectObject(dc, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}
