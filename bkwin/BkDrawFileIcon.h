// The "iconfrommodule" element: an icon stretched to the element rectangle, either one given
// by its handle or the desktop's icon of a file.
#pragma once

#include "bkwin/BkWindow.h"
#include "platform/draw/Icon.h"

#include <string>

class CBkDrawFileIcon : public CBkWindow {
public:
    static constexpr const char* kTag = "iconfrommodule";
    const char* TagName() const override { return kTag; }

    // srcfile (file path), iconhandle (an icon handle written as a decimal number; it stays
    // the caller's), issmall (non-zero: the small icon); an empty value leaves each unchanged.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The icon a paint draws now: the given one, else the file's; null for none.
    HICON PaintedIcon() const;

    std::string srcFile;
    HICON iconHandle = nullptr;
    std::int32_t smallIcon = 0;
};
