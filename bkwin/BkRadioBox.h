// The "radio" element: a radio glyph with the text beside it. A click checks it and unchecks
// the other members of its group; it never unchecks itself.
#pragma once

#include "bkwin/BkGlyphBox.h"

#include <string>

class CBkRadioBox : public CBkGlyphBox {
public:
    static constexpr const char* kTag = "radio";
    CBkRadioBox();
    const char* TagName() const override { return kTag; }
    ~CBkRadioBox() override;

    // Loads as the base does, then joins the group named by "group".
    bool LoadXml(const TiXmlElement& element) override;
    // group (stored; membership stays with the group joined at loading), and the base's.
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::string group;

private:
    void LeaveGroup();

    // The group this element is a member of, when it joined one.
    bool m_joined = false;
    std::string m_joinedGroup;
};
