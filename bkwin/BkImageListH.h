// The "imglisth" element: a row of up to `imageCount` images, image i drawn by the skin of key
// "skin<i>" with the sub-image of key "sub<i>"; images without a skin take no room.
#pragma once

#include "bkwin/BkSkinBase.h"
#include "bkwin/BkWindow.h"

#include <map>
#include <string>

class CBkImageListHWnd : public CBkWindow {
public:
    static constexpr const char* kTag = "imglisth";
    // "imagecount" is kept within 0 .. kMaxImageCount: every image costs map entries and a
    // look-up at each paint, and a row of more images than this is no picture anyone draws.
    static constexpr std::int32_t kMaxImageCount = 256;
    const char* TagName() const override { return kTag; }

    // Loads as the base does, then resets the maps for `imageCount` images and applies the
    // lists again, so the result does not depend on the order of the attributes.
    bool LoadXml(const TiXmlElement& element) override;
    // skin, sub, imagecount, skinlist ("key=skinname,..."), sublist ("key=number,...").
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::int32_t subImage = -1;
    CBkSkinBase* skin = nullptr;
    std::int32_t imageCount = 0;
    std::string skinList;
    std::string subList;
    std::map<std::string, std::int32_t, std::less<>> subImages;
    std::map<std::string, CBkSkinBase*, std::less<>> skins;

private:
    void MergeSkinList(std::string_view list);
    void MergeSubList(std::string_view list);
};
