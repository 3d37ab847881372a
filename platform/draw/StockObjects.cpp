// The stock objects, made on first use and never freed.
#include "platform/draw/Brush.h"
#include "platform/draw/Font.h"
#include "platform/draw/Pen.h"
#include "platform/draw/fonts/FontInstance.h"

namespace {

CFont* StockFont(LONG height) {
    LOGFONT description;
    description.lfHeight = height;
    description.lfFaceName = L"Tahoma";
    std::shared_ptr<CFontInstance> instance =
        CFontInstance::Get(CFontRequest{"Tahoma", height, false, false, true});
    return instance ? new CFont(description, std::move(instance), true) : nullptr;
}

} // namespace

HGDIOBJ GetStockObject(int index) {
    switch (index) {
    case WHITE_BRUSH: {
        static CBrush* const brush = new CBrush(false, RGB(255, 255, 255), true);
        return brush;
    }
    case LTGRAY_BRUSH: {
        static CBrush* const brush = new CBrush(false, RGB(192, 192, 192), true);
        return brush;
    }
    case GRAY_BRUSH: {
        static CBrush* const brush = new CBrush(false, RGB(128, 128, 128), true);
        return brush;
    }
    case DKGRAY_BRUSH: {
        static CBrush* const brush = new CBrush(false, RGB(64, 64, 64), true);
        return brush;
    }
    case BLACK_BRUSH: {
        static CBrush* const brush = new CBrush(false, RGB(0, 0, 0), true);
        return brush;
    }
    case NULL_BRUSH: {
        static CBrush* const brush = new CBrush(true, 0, true);
        return brush;
    }
    case WHITE_PEN: {
        static CPen* const pen = new CPen(PS_SOLID, 1, RGB(255, 255, 255), true);
        return pen;
    }
    case BLACK_PEN: {
        static CPen* const pen = new CPen(PS_SOLID, 1, RGB(0, 0, 0), true);
        return pen;
    }
    case NULL_PEN: {
        static CPen* const pen = new CPen(PS_NULL, 1, 0, true);
        return pen;
    }
    case DEFAULT_GUI_FONT: {
        static CFont* const font = StockFont(-11);
        return font;
    }
    case SYSTEM_FONT: {
        static CFont* const font = StockFont(-12);
        return font;
    }
    default:
        return nullptr;
    }
}
