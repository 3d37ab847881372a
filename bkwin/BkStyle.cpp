#include "bkwin/BkStyle.h"

#include "bkwin/BkFontPool.h"
#include "bkwin/BkValueParsers.h"

HRESULT BkStyle::ApplyAttribute(std::string_view attribute, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkObject::ApplyAttribute(attribute, value, loading))) {
        return S_OK;
    }
    const struct {
        std::string_view attribute;
        COLORREF BkStyle::*field;
    } colours[] = {{"crbg", &BkStyle::crbg},
                   {"crbghover", &BkStyle::crbghover},
                   {"crtext", &BkStyle::crtext},
                   {"crhover", &BkStyle::crhover},
                   {"crdisabled", &BkStyle::crdisabled}};
    for (const auto& colour : colours) {
        if (attribute == colour.attribute) {
            this->*colour.field = ParseColour(value);
            return S_OK;
        }
    }
    const struct {
        std::string_view attribute;
        int BkStyle::*field;
    } numbers[] = {{"x-margin", &BkStyle::xMargin},
                   {"y-margin", &BkStyle::yMargin},
                   {"spacing", &BkStyle::spacing},
                   {"linespacing", &BkStyle::lineSpacing}};
    for (const auto& number : numbers) {
        if (attribute == number.attribute) {
            this->*number.field = ParseInt(value);
            return S_OK;
        }
    }
    if (attribute == "name") {
        name = value;
    } else if (attribute == "skin") {
        skinName = value;
    } else if (attribute == "textmode") {
        textmode = UINT(ParseHex(value));
    } else if (attribute == "font") {
        font = BkFontPool::Instance().GetFont(WORD(ParseHex(value)));
    } else if (attribute == "hoverfont") {
        hoverfont = BkFontPool::Instance().GetFont(WORD(ParseHex(value)));
    } else if (attribute == "margin") {
        xMargin = yMargin = ParseInt(value);
    } else if (attribute == "cursor" && value == "hand") {
        cursor = IDC_HAND;
    } else if (attribute == "cursor" && value == "arrow") {
        cursor = IDC_ARROW;
    } else {
        return E_FAIL;
    }
    return S_OK;
}
