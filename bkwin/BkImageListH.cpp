#include "bkwin/BkImageListH.h"

#include "bkwin/BkImg.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkValueParsers.h"

#include <algorithm>
#include <string>

namespace {

// Calls `apply` (key, value) for each "key=value" item of a comma-separated list. Empty items
// and items whose "=" is missing or first are skipped; blanks are kept.
template <class Apply> void ForEachListItem(std::string_view list, Apply apply) {
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        const std::size_t equals = item.find('=');
        if (equals != std::string_view::npos && equals != 0) {
            apply(std::string(item.substr(0, equals)), item.substr(equals + 1));
        }
    }
}

std::string IndexedKey(const char* prefix, int index) {
    return prefix + std::to_string(index);
}

} // namespace

void CBkImageListHWnd::MergeSkinList(std::string_view list) {
    ForEachListItem(list, [this](std::string key, std::string_view name) {
        skins[std::move(key)] = BkSkinPool::Instance().Get(name);
    });
}

void CBkImageListHWnd::MergeSubList(std::string_view list) {
    ForEachListItem(list, [this](std::string key, std::string_view number) {
        subImages[std::move(key)] = ParseInt(number);
    });
}

bool CBkImageListHWnd::LoadXml(const TiXmlElement& element) {
    if (!CBkWindow::LoadXml(element)) {
        return false;
    }
    skins.clear();
    subImages.clear();
    for (int i = 0; i < imageCount; ++i) {
        skins[IndexedKey("skin", i)] = nullptr;
        subImages[IndexedKey("sub", i)] = -1;
    }
    MergeSkinList(skinList);
    MergeSubList(subList);
    return true;
}

HRESULT CBkImageListHWnd::ApplyAttribute(std::string_view name, std::string_view value,
                                         bool loading) {
    if (SUCCEEDED(CBkWindow::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "skin") {
        skin = BkSkinPool::Instance().Get(value);
    } else if (name == "sub") {
        subImage = ParseInt(value);
    } else if (name == "imagecount") {
        imageCount = std::clamp(ParseInt(value), 0, kMaxImageCount);
    } else if (name == "skinlist") {
        if (!value.empty()) {
            skinList = value;
            MergeSkinList(value);
        }
    } else if (name == "sublist") {
        if (!value.empty()) {
            subList = value;
            MergeSubList(value);
        }
    } else {
        return E_FAIL;
    }
    return S_OK;
}

bool CBkImageListHWnd::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
    if (msg == WM_PAINT) {
        result = 0;
        RECT area = rect;
        for (int i = 0; i < imageCount; ++i) {
            const auto found = skins.find(IndexedKey("skin", i));
            if (found == skins.end() || !found->second) {
                continue;
            }
            const auto sub = subImages.find(IndexedKey("sub", i));
            found->second->Draw(HDC(wParam), area, sub == subImages.end() ? -1 : sub->second);
            area.left += found->second->NaturalSize().cx;
        }
        return true;
    }
    const bool handled = CBkWindow::HandleMessage(hwnd, msg, wParam, lParam, result);
    if (msg == WM_NCCALCSIZE && lParam) {
        ApplySkinNaturalSize(skin, *reinterpret_cast<SIZE*>(lParam));
    }
    return handled;
}
