// Placing elements: the position grammar inside nested dialogs, measured and fixed sizes,
// hit testing and the search by id.
#include "BkTestElements.h"

#include <gtest/gtest.h>

TEST(BkElementLayoutTest, FourItemPosFillsTheInnerArea) {
    CBkDialog root;
    root.style.xMargin = 10;
    root.style.yMargin = 10;
    root.ApplyAttribute("pos", "0,0,-0,-0", true);
    CBkDialog* fill = AddDialog(root, "0,0,-0,-0");
    PlaceRoot(root, 0, 0, 320, 220);
    EXPECT_EQ(root.rect, (RECT{0, 0, 320, 220}));
    EXPECT_EQ(fill->rect, (RECT{10, 10, 310, 210}));
}

TEST(BkElementLayoutTest, CentredItemsInATallArea) {
    CBkDialog root;
    root.ApplyAttribute("pos", "0,0,-0,-0", true);
    CBkDialog* box = AddDialog(root, "|-30,|20,|30,|40");
    PlaceRoot(root, 0, 0, 150, 400);
    EXPECT_EQ(box->rect, (RECT{45, 220, 105, 240}));
}

TEST(BkElementLayoutTest, NestedDialogsResolveAgainstTheirParentsInnerArea) {
    // The video tab's arrangement: a panel left of a 152-wide column, each with margin 1,
    // holding a centred button-sized box.
    CBkDialog root;
    root.ApplyAttribute("pos", "0,0,-0,-0", true);
    CBkDialog* content = AddDialog(root, "0,7,-0,-0");
    CBkDialog* left = AddDialog(*content, "0,0,-150,-0");
    CBkDialog* right = AddDialog(*content, "-152,0,-0,-0");
    right->style.xMargin = right->style.yMargin = 1;
    CBkDialog* start = AddDialog(*right, "|-30,|-40,|30,|-20");
    CBkDialog* corner = AddDialog(*right, "-43,-9");
    PlaceRoot(root, 7, 105, 1010, 639);

    EXPECT_EQ(content->rect, (RECT{7, 112, 1017, 744}));
    EXPECT_EQ(left->rect, (RECT{7, 112, 867, 744}));
    EXPECT_EQ(right->rect, (RECT{865, 112, 1017, 744}));
    // Inner area of the column: (866, 113) to (1016, 743), 150 x 630.
    EXPECT_EQ(start->rect, (RECT{911, 388, 971, 408}));
    // Two items: the corner is placed, the size measured (an empty text measures 0 wide).
    EXPECT_EQ(corner->rect.left, 1016 - 43);
    EXPECT_EQ(corner->rect.top, 743 - 9);
    EXPECT_EQ(corner->rect.Width(), 0);

    // Placing the root again with another size moves everything with it.
    PlaceRoot(root, 0, 0, 500, 300);
    EXPECT_EQ(right->rect, (RECT{348, 7, 500, 300}));
}

TEST(BkElementLayoutTest, SizesWithoutPos) {
    CBkDialog root;
    root.style.xMargin = 20;
    root.ApplyAttribute("pos", "0,0,-0,-0", true);
    CBkDialog* full = AddDialog(root, "");
    full->posFlags = POS_WIDTH_FULL | POS_HEIGHT_FIXED;
    full->fixedHeight = 23;
    CBkDialog* fixed = AddDialog(root, "");
    fixed->posFlags = POS_WIDTH_FIXED | POS_HEIGHT_FULL;
    fixed->fixedWidth = 71;
    PlaceRoot(root, 0, 0, 540, 100);
    // Without pos a child sits at the inner top-left corner.
    EXPECT_EQ(full->rect, (RECT{20, 0, 520, 23}));
    EXPECT_EQ(fixed->rect, (RECT{20, 0, 91, 100}));

    // A full width never ends left of the element's own left edge.
    PlaceRoot(root, 0, 0, 30, 100);
    EXPECT_EQ(full->rect.left, 20);
    EXPECT_EQ(full->rect.right, 20);
}

TEST(BkElementLayoutTest, ContainersOtherThanDialogsDoNotPlaceChildren) {
    CBkDialog root;
    CBkDialog* child = AddDialog(root, "5,5,-5,-5");
    static_cast<CBkContainerWnd&>(root).CBkContainerWnd::LayoutChild(child);
    EXPECT_EQ(child->rect, RECT{});
}

TEST(BkElementLayoutTest, HitTestSkipsHiddenAndTransparentChildrenButNotDisabled) {
    CBkDialog root;
    root.ApplyAttribute("pos", "0,0,-0,-0", true);
    CBkDialog* left = AddDialog(root, "0,0,100,100");
    CBkDialog* inner = AddDialog(*left, "10,10,50,50");
    CBkDialog* right = AddDialog(root, "100,0,200,100");
    CBkDialog* overlay = AddDialog(root, "0,0,-0,-0"); // later child, covers everything
    overlay->transparent = 1;
    PlaceRoot(root, 0, 0, 200, 100);

    EXPECT_EQ(root.HitTest(20, 20, true), inner->handle);
    EXPECT_EQ(root.HitTest(5, 5, true), left->handle);
    EXPECT_EQ(root.HitTest(150, 50, true), right->handle);
    // Right and bottom edges are outside.
    EXPECT_EQ(root.HitTest(200, 50, true), 0u);
    EXPECT_EQ(inner->HitTest(50, 20, true), 0u);

    // Disabled elements still answer: the host decides what a disabled element does.
    inner->state |= STATE_DISABLED;
    EXPECT_EQ(root.HitTest(20, 20, true), inner->handle);
    // A hidden element is passed by; its parent answers.
    inner->state |= STATE_HIDDEN;
    EXPECT_EQ(root.HitTest(20, 20, true), left->handle);
    // A hidden container hides its whole subtree.
    inner->state &= ~STATE_HIDDEN;
    left->state |= STATE_HIDDEN;
    EXPECT_EQ(root.HitTest(20, 20, true), root.handle);

    // Without transparency the overlay is hit where no earlier child answers: children are
    // asked in list order.
    overlay->transparent = 0;
    EXPECT_EQ(root.HitTest(150, 50, true), right->handle);
    EXPECT_EQ(root.HitTest(20, 20, true), overlay->handle);
}

TEST(BkElementLayoutTest, FloatingChildrenAreHitFirstAndOnlyDrawChildStopsTheSearch) {
    CBkDialog root;
    root.ApplyAttribute("pos", "0,0,-0,-0", true);
    CBkDialog* inFlow = AddDialog(root, "0,0,-0,-0");
    inFlow->posFlags |= POS_IN_FLOW;
    CBkDialog* floating = AddDialog(root, "0,0,50,50");
    PlaceRoot(root, 0, 0, 100, 100);
    floating->posFlags |= POS_FLOATING;
    EXPECT_EQ(root.HitTest(10, 10, true), floating->handle);
    EXPECT_EQ(root.HitTest(60, 60, true), inFlow->handle);

    root.onlyDrawChild = 1;
    EXPECT_EQ(root.HitTest(10, 10, true), root.handle);
    EXPECT_EQ(root.HitTest(100, 10, true), 0u);
}

TEST(BkElementLayoutTest, FindByIdSearchesDirectChildrenBeforeDescendants) {
    CBkDialog root;
    CBkDialog* first = AddDialog(root, "");
    CBkDialog* deep = AddDialog(*first, "");
    deep->id = 7;
    CBkDialog* second = AddDialog(root, "");
    second->id = 7;
    second->state |= STATE_HIDDEN; // hidden elements are found too
    CBkDialog* third = AddDialog(root, "");
    third->id = 9;
    CBkDialog* deeper = AddDialog(*deep, "");
    deeper->id = 9;
    root.id = 11;

    EXPECT_EQ(root.FindById(7), second);
    EXPECT_EQ(root.FindById(9), third);
    EXPECT_EQ(first->FindById(9), deeper);
    EXPECT_EQ(root.FindById(11), nullptr); // never the container itself
    EXPECT_EQ(root.FindById(12), nullptr);
}

TEST(BkElementLayoutTest, MouseMoveReachesVisibleChildrenUnderThePoint) {
    struct CMoveCounter : CTestLeaf {
        bool HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                           LRESULT& result) override {
            moves += msg == WM_MOUSEMOVE;
            return CTestLeaf::HandleMessage(hwnd, msg, wParam, lParam, result);
        }
        int moves = 0;
    };
    CBkDialog root;
    auto* a = static_cast<CMoveCounter*>(root.AppendChild(std::make_unique<CMoveCounter>()));
    auto* b = static_cast<CMoveCounter*>(root.AppendChild(std::make_unique<CMoveCounter>()));
    a->rect = {0, 0, 10, 10};
    b->rect = {0, 0, 10, 10};
    b->state |= STATE_HIDDEN;
    SendElementMessage(&root, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendElementMessage(&root, WM_MOUSEMOVE, 0, MAKELPARAM(15, 5));
    EXPECT_EQ(a->moves, 1);
    EXPECT_EQ(b->moves, 0);
}

TEST(BkElementLayoutTest, PanelFlowsChildrenIntoLines) {
    CBkPanel panel;
    panel.style.spacing = 5;
    panel.style.lineSpacing = 30;
    std::vector<CBkDialog*> boxes;
    for (int i = 0; i < 3; ++i) {
        CBkDialog* box = AddDialog(panel, "");
        box->posFlags = POS_WIDTH_FIXED | POS_HEIGHT_FIXED | POS_IN_FLOW;
        box->fixedWidth = 40;
        box->fixedHeight = 10;
        boxes.push_back(box);
    }
    boxes[1]->vAlign = VALIGN_BOTTOM;
    CBkDialog* floating = AddDialog(panel, "");
    floating->posFlags = POS_WIDTH_FIXED | POS_HEIGHT_FIXED | POS_FLOATING;
    floating->fixedWidth = floating->fixedHeight = 10;
    floating->hAlign = HALIGN_RIGHT;
    floating->vAlign = VALIGN_MIDDLE;
    panel.posFlags = POS_WIDTH_FULL | POS_HEIGHT_FULL;
    PlaceRoot(panel, 0, 0, 90, 100);

    EXPECT_EQ(boxes[0]->rect, (RECT{0, 0, 40, 10}));
    EXPECT_EQ(boxes[1]->rect, (RECT{45, 20, 85, 30})); // bottom of a 30-high line
    EXPECT_EQ(boxes[2]->rect, (RECT{0, 30, 40, 40}));  // wrapped to the next line
    EXPECT_EQ(floating->rect, (RECT{80, 45, 90, 55}));
}

TEST(BkElementLayoutTest, MessagesWithoutTheirRecordsOrElementAreSkipped) {
    CTestLeaf leaf;
    leaf.rect = {1, 2, 3, 4};
    EXPECT_EQ(SendElementMessage(&leaf, WM_NCCALCSIZE, 1, 0), 0);
    EXPECT_EQ(SendElementMessage(&leaf, WM_WINDOWPOSCHANGED, 0, 0), 0);
    EXPECT_EQ(leaf.rect, (RECT{1, 2, 3, 4}));
    EXPECT_EQ(SendElementMessage(&leaf, WM_CREATE, 0, 0), 1);
    // A handle whose element was destroyed looks up to null; sending to it does nothing.
    EXPECT_EQ(SendElementMessage(nullptr, WM_CREATE, 0, 0), 0);
}
