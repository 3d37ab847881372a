// The "pos" grammar: parsing every item form, resolving against a span, and applying the
// attribute to an element.
#include "bkwin/BkPosition.h"
#include "bkwin/BkDialog.h"

#include <gtest/gtest.h>

namespace {

struct PosCase {
    const char* text;
    int count;
    BkPosItems items;
};

constexpr BkPosItem Plain(int v) {
    return {0, 0, v};
}
constexpr BkPosItem Far(int v) {
    return {0, 1, v};
}
constexpr BkPosItem Centre(int v) {
    return {1, 0, v};
}
constexpr BkPosItem CentreBack(int v) {
    return {1, 1, v};
}

} // namespace

TEST(BkPositionTest, ParsesEveryItemForm) {
    const PosCase cases[] = {
        {"0,0,-0,-0", 4, {Plain(0), Plain(0), Far(0), Far(0)}},
        {"-43,0", 2, {Far(43), Plain(0), {}, {}}},
        {"|-30,|-40,|30,|-20", 4, {CentreBack(30), CentreBack(40), Centre(30), CentreBack(20)}},
        {"0,-70", 2, {Plain(0), Far(70), {}, {}}},
        {"5,9", 2, {Plain(5), Plain(9), {}, {}}},
        // Digits end the number; anything after them is ignored.
        {"12px,7a", 2, {Plain(12), Plain(7), {}, {}}},
        // "|" after "-" is not a centre mark: the number reads as 0.
        {"-|5,3", 2, {Far(0), Plain(3), {}, {}}},
        // A sign after the far-edge mark is read by the number itself.
        {"--5,3", 2, {Far(-5), Plain(3), {}, {}}},
        // A fifth and later items are ignored.
        {"1,2,3,4,5,6", 4, {Plain(1), Plain(2), Plain(3), Plain(4)}},
        // Empty items read as 0.
        {",", 2, {Plain(0), Plain(0), {}, {}}},
        // One or three items are not in use.
        {"5", 0, {}},
        {"1,2,3", 0, {}},
        {"", 0, {}},
        {"abc", 0, {}},
    };
    for (const PosCase& c : cases) {
        SCOPED_TRACE(c.text);
        const BkPosition position = ParsePosition(c.text);
        EXPECT_EQ(position.count, c.count);
        EXPECT_EQ(position.items, c.items);
    }
}

TEST(BkPositionTest, ResolvesAgainstASpan) {
    struct {
        BkPosItem item;
        int origin;
        int length;
        int expected;
    } const cases[] = {
        {Plain(5), 10, 300, 15},     {Far(0), 10, 300, 310},       {Far(43), 0, 1024, 981},
        {Centre(20), 0, 400, 220},   {CentreBack(30), 0, 150, 45}, {Centre(30), 0, 150, 105},
        {CentreBack(0), 0, 151, 75}, {Plain(-5), 10, 100, 5},      {Far(-5), 0, 100, 105},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolvePosItem(c.item, c.origin, c.length), c.expected);
    }
}

TEST(BkPositionTest, ApplyingPosSetsCountAndMeasuredFlags) {
    CBkDialog element;
    element.posFlags = POS_WIDTH_FULL | POS_HEIGHT_FIXED | POS_FLOATING;
    EXPECT_EQ(element.ApplyAttribute("pos", "1,2,3,4", true), S_OK);
    EXPECT_EQ(element.posCount, 4);
    EXPECT_EQ(element.posFlags, POS_WIDTH_MEASURED | POS_HEIGHT_MEASURED | POS_FLOATING);

    // An empty value changes nothing; one or three items clear the count, keep the flags
    // and leave no stale items behind.
    element.ApplyAttribute("pos", "", true);
    EXPECT_EQ(element.posCount, 4);
    element.posFlags = POS_WIDTH_FIXED;
    element.ApplyAttribute("pos", "7,8,9", true);
    EXPECT_EQ(element.posCount, 0);
    EXPECT_EQ(element.posFlags, POS_WIDTH_FIXED);
    EXPECT_EQ(element.posItems, BkPosItems{});
}

TEST(BkPositionTest, PosAppliedAfterLoadingPlacesTheChildAgain) {
    CBkDialog parent;
    WINDOWPOS pos;
    pos.x = 10;
    pos.y = 10;
    pos.cx = 300;
    pos.cy = 200;
    parent.ApplyAttribute("pos", "0,0,-0,-0", true);
    SendElementMessage(&parent, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
    CBkWindow* child = parent.AppendChild(std::make_unique<CBkDialog>());

    child->ApplyAttribute("pos", "5,6,-5,-6", true);
    EXPECT_EQ(child->rect, RECT{}); // loading: nothing is placed yet
    child->ApplyAttribute("pos", "5,6,-5,-6", false);
    EXPECT_EQ(child->rect, (RECT{15, 16, 305, 204}));
}
