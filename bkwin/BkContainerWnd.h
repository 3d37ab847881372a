// The abstract container: an element that owns an ordered list of child elements (document
// order; later children paint over earlier ones).
#pragma once

#include <memory>
#include <vector>

#include "bkwin/BkWindow.h"

class CBkContainerWnd : public CBkWindow {
public:
    // Loads the element's own attributes, then its child elements.
    bool LoadXml(const TiXmlElement& element) override;
    // The base attributes, then "onlydrawchild".
    HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading) override;
    void SetHostWindow(HWND host) override;
    std::uint32_t HitTest(int x, int y, bool deep) override;
    bool IsContainer() const override { return true; }
    bool PaintRegion(HDC dc, HRGN region) override;
    bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ShowRealWindows(bool show) override;

    // The first direct child with the id (visible or not), else the first match found inside
    // each child container in turn; never the container itself. Null when none matches.
    virtual CBkWindow* FindById(std::int32_t wantedId);
    // Places every child in list order with LayoutChild.
    virtual void LayoutChildren();
    // Places one child within this container; this container does not place children.
    virtual void LayoutChild(CBkWindow* child);

    // Drops the current children, then creates and loads one child per element from `first`
    // and its following siblings. Unknown tags are skipped with everything inside them.
    void LoadChildren(const TiXmlElement* first);
    // Takes the child into the tree: its parent becomes this container and it is given this
    // container's host window. Answers the child.
    CBkWindow* AppendChild(std::unique_ptr<CBkWindow> child);
    const std::vector<std::unique_ptr<CBkWindow>>& Children() const { return children; }

    std::int32_t onlyDrawChild = 0;

protected:
    // The container's rectangle less its style's margins.
    RECT InnerArea() const;

    std::vector<std::unique_ptr<CBkWindow>> children;

private:
    void DestroyChildren();
};
