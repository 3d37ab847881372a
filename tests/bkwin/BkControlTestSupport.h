// Helpers for the control tests: elements made by tag from XML text, and a skin that records
// the state each paint hands it.
#pragma once

#include "BkTestSurface.h"

#include "bkwin/BkElementFactory.h"
#include "bkwin/BkSkinBase.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <memory>
#include <vector>

// The element of the XML text's root tag, loaded from it; null for an unknown tag.
inline std::unique_ptr<CBkWindow> LoadElement(const char* xml) {
    TiXmlDocument document;
    document.Parse(xml);
    const TiXmlElement* root = document.RootElement();
    if (!root) {
        return nullptr;
    }
    std::unique_ptr<CBkWindow> element = CreateElementByTag(root->Value());
    if (element) {
        element->LoadXml(*root);
    }
    return element;
}

// The size the element measures for itself without a given size.
inline SIZE NaturalSize(CBkWindow& element) {
    SIZE size{};
    SendElementMessage(&element, WM_NCCALCSIZE, 0, LPARAM(&size));
    return size;
}

class CRecordingSkin : public CBkSkinBase {
public:
    const char* TagName() const override { return "recording"; }
    void Draw(HDC, const RECT& rect, int state) override {
        states.push_back(state);
        rects.push_back(rect);
    }
    SIZE NaturalSize() const override { return natural; }

    SIZE natural{};
    std::vector<int> states;
    std::vector<RECT> rects;
};

// Whether every pixel of the area has the colour.
inline bool AllPixelsAre(const CBkTestSurface& surface, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (surface.At(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

// Whether any pixel of the area has the colour.
inline bool AnyPixelIs(const CBkTestSurface& surface, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (surface.At(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

// Whether two surfaces have the same pixels over the area.
inline bool SamePixels(const CBkTestSurface& a, const CBkTestSurface& b, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                return false;
            }
        }
    }
    return true;
}
