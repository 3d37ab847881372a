// The "tabctrl" element: a strip of skinned tabs along the top or the left edge and one page
// (a "tab") shown at a time in the frame beside it. Only the current page is painted and
// hit-tested. A change of page is announced to the dialog first, which may refuse it.
#pragma once

#include "bkwin/BkContainerWnd.h"
#include "bkwin/BkSkinBase.h"
#include "bkwin/BkTab.h"

#include <memory>
#include <vector>

constexpr std::int32_t TABALIGN_TOP = 0;
constexpr std::int32_t TABALIGN_LEFT = 1;

class CBkTabCtrl : public CBkContainerWnd {
public:
    static constexpr const char* kTag = "tabctrl";
    const char* TagName() const override { return kTag; }

    // Loads the control's own attributes, then one page per "tab" child (other children are
    // skipped). The first tab that is not hidden is shown; the current index starts there
    // unless "cursel" named another.
    bool LoadXml(const TiXmlElement& element) override;
    // The base attributes, then cursel, tabwidth, tabheight, tabpos, tabspacing, framepos, the
    // skins tabskin, frameskin, iconskin and splitterskin, the offsets icon-x, icon-y, text-x
    // and text-y, and tabalign ("top" or "left").
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    // The hand over a tab, else the arrow.
    void ApplyCursor() override;
    void SetHostWindow(HWND host) override;
    // Outside: 0; the strip and the gap before the frame: the control; inside the frame: what
    // the current page answers.
    std::uint32_t HitTest(int x, int y, bool deep) override;
    // The control (background and strip), then the current page.
    bool PaintRegion(HDC dc, HRGN region) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The current page with the flag, every other page with false.
    void ShowRealWindows(bool show) override;
    // Each page in turn: the page itself when its id matches, else what its own search finds.
    CBkWindow* FindById(std::int32_t wantedId) override;

    // The page at that index (hidden ones count), or null.
    CBkTab* GetTab(int index) const;
    int TabCount() const { return int(m_tabs.size()); }
    // The tab's rectangle in the strip; false for an index out of range.
    bool GetTabRect(int index, RECT& tabRect) const;
    // Announces the change to the dialog, then, unless refused, out of range or already
    // current, switches the pages and repaints. True when the index is (now) current.
    bool SetCurSel(int index);
    // The rectangle every page is given, from the last placement.
    const RECT& PageFrame() const { return m_pageFrame; }
    int HoverIndex() const { return m_hoverIndex; }

    std::int32_t curSel = 0;
    std::int32_t tabSpacing = 0;
    std::int32_t tabPos = 0;
    std::int32_t framePos = 0;
    std::int32_t tabWidth = 0;
    std::int32_t tabHeight = 0;
    CBkSkinBase* tabSkin = nullptr;
    CBkSkinBase* frameSkin = nullptr;
    CBkSkinBase* iconSkin = nullptr;
    CBkSkinBase* splitterSkin = nullptr;
    std::int32_t iconX = 0;
    std::int32_t iconY = 0;
    std::int32_t textX = 0;
    std::int32_t textY = 0;
    std::int32_t tabAlign = TABALIGN_TOP;

private:
    // The tab skin's natural size, each side replaced by tabwidth or tabheight when set.
    SIZE TabSize() const;
    // The control's rectangle less the strip and the frame offset.
    RECT FrameArea() const;
    // The first tab, not hidden and not current, whose rectangle holds the point; -1 for none.
    int TabAt(POINT point) const;
    void DestroyTabs();
    void PlacePage(CBkTab& page) const;
    void PaintStrip(HDC dc) const;
    // Draws tab `index` (icon and title) over its rectangle with the tab skin in `skinState`.
    void PaintTab(HDC dc, int index, int skinState) const;
    void OnMouseMove(POINT point);
    void OnMouseLeave();

    std::vector<std::unique_ptr<CBkTab>> m_tabs;
    int m_hoverIndex = -1;
    RECT m_pageFrame;
};
