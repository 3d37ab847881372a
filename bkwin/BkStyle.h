// A style class: colours for the normal, hover and disabled looks, text-drawing flags, fonts,
// margins, spacing, cursor and a background skin. Elements copy a class's values.
#pragma once

#include <string>

#include "bkwin/BkObject.h"
#include "platform/base/WindowStyles.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Font.h"

class BkStyle : public CBkObject {
public:
    static constexpr const char* kTag = "style";
    const char* TagName() const override { return kTag; }

    // name, skin, textmode (hexadecimal), crbg, crbghover, crtext, crhover, crdisabled
    // (RRGGBB), font and hoverfont (hexadecimal font codes), x-margin, y-margin, margin (both),
    // spacing, linespacing, cursor ("hand", "arrow").
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    // A colour of CLR_INVALID is not set: no background fill, no text colour change, or the
    // normal colour kept in the hover look.
    COLORREF crbg = CLR_INVALID;
    COLORREF crbghover = CLR_INVALID;
    COLORREF crtext = CLR_INVALID;
    COLORREF crhover = CLR_INVALID;
    COLORREF crdisabled = RGB(0xCC, 0xCC, 0xCC);
    UINT textmode = DT_SINGLELINE | DT_BOTTOM;
    HFONT font = nullptr; // from the font pool, not owned; null: the default font
    HFONT hoverfont = nullptr;
    int xMargin = 0;
    int yMargin = 0;
    int spacing = 0;
    int lineSpacing = 20;
    HCURSOR cursor = IDC_ARROW;
    std::string skinName;
    std::string name;
};
