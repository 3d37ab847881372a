// The "dlg" container: places each child by its "pos" relative to the dialog's inner area.
#pragma once

#include "bkwin/BkPanel.h"

class CBkDialog : public CBkPanel {
public:
    static constexpr const char* kTag = "dlg";
    const char* TagName() const override { return kTag; }

    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void LayoutChild(CBkWindow* child) override;
};
