// The "memimage" element: draws an image the caller holds in memory, given by its address.
// On this platform the image is a bitmap (32-bit with straight alpha, as decoded PNG images
// are, or opaque of any depth); the element never owns it.
#pragma once

#include "bkwin/BkWindow.h"
#include "platform/draw/GdiObject.h"

class CBkMemoryImage : public CBkWindow {
public:
    static constexpr const char* kTag = "memimage";
    const char* TagName() const override { return kTag; }

    // mempointer (decimal address; 0 clears), autosize (1 stretch, 0 natural size; an empty
    // value leaves it unchanged).
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    HBITMAP image = nullptr;
    std::int32_t sizeMode = 1;

private:
    void Paint(HDC dc) const;
};
