// The "tab" element: one page of a tab control, a dialog container with a title for the
// strip. Only a tab control creates it; the general element factory does not know the tag.
#pragma once

#include "bkwin/BkDialog.h"

class CBkTab : public CBkDialog {
public:
    static constexpr const char* kTag = "tab";
    const char* TagName() const override { return kTag; }

    // The dialog's attributes, then title (UTF-8) and hide (a non-zero tab takes no place in
    // the strip and is never selected by the mouse).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;

    WString title;
    std::int32_t hide = 0;
};
