// The shipped dialog layouts loaded into a real dialog view: the header, body and footer
// rectangles each layer gives, the message boxes' check box 60007, and the settings tab's
// elements placed by their "pos" within an include.
#include "BkTestDialog.h"

#include "bkwin/BkSkinPool.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"
#include "bkwin/BkText.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

class ShippedLayoutsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        BkString::Instance().Load(102);
        ASSERT_TRUE(LoadSkins(100));
        ASSERT_TRUE(LoadStyles(101));
    }
};

} // namespace

TEST_F(ShippedLayoutsTest, SectionsAndTheCheckBoxSitWhereTheLayersPutThem) {
    struct Case {
        std::uint32_t layout;
        SIZE client; // the layer's own size when it gives one; the message boxes get this one
        RECT header;
        RECT body;
        RECT footer;
        std::optional<POINT> check; // top-left corner of check box 60007
    };
    const Case cases[] = {
        {105, {360, 170}, {0, 0, 360, 31}, {0, 31, 360, 125}, {0, 125, 360, 170}, POINT{20, 105}},
        {106, {360, 170}, {0, 0, 360, 31}, {0, 31, 360, 115}, {0, 115, 360, 170}, POINT{70, 100}},
        {107, {320, 130}, {0, 0, 320, 31}, {0, 31, 320, 125}, {0, 125, 320, 130}, std::nullopt},
        {108, {350, 240}, {0, 0, 350, 32}, {0, 32, 350, 195}, {0, 195, 350, 240}, std::nullopt},
        {510, {350, 240}, {0, 0, 350, 32}, {0, 32, 350, 195}, {0, 195, 350, 240}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        CTestDialog dialog(c.layout);
        const HWND hwnd = dialog.LoadAndShow();
        ASSERT_NE(hwnd, nullptr);
        if (!dialog.view.Layer().width) {
            dialog.ResizeClient(c.client.cx, c.client.cy, true);
            headless::PumpMessages();
        }
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client, (RECT{0, 0, c.client.cx, c.client.cy}));
        EXPECT_EQ(dialog.view.Section(BkSection::Header).rect, c.header);
        EXPECT_EQ(dialog.view.Section(BkSection::Body).rect, c.body);
        EXPECT_EQ(dialog.view.Section(BkSection::Footer).rect, c.footer);
        // The close button at the header's right edge, as large as one image of its skin.
        ASSERT_NE(dialog.view.FindElement(60001), nullptr);
        const RECT close = dialog.view.FindElement(60001)->rect;
        EXPECT_EQ(close, (RECT{c.client.cx - 43, 0, c.client.cx - 43 + 47, 21}));

        const CBkWindow* check = dialog.view.FindElement(60007);
        ASSERT_EQ(check != nullptr, c.check.has_value());
        if (check) {
            EXPECT_EQ(check->rect.left, c.check->x);
            EXPECT_EQ(check->rect.top, c.check->y);
            // As large as the box measures itself: its text plus the 17-pixel glyph column.
            SIZE text{};
            CBkStatic plain;
            plain.text = check->text;
            plain.parentHandle = check->parentHandle;
            SendElementMessage(&plain, WM_NCCALCSIZE, 0, LPARAM(&text));
            EXPECT_EQ(check->rect.Width(), text.cx + 17);
            EXPECT_EQ(check->rect.Height(), std::max<LONG>(text.cy, 13));
            EXPECT_TRUE(check->IsVisibleDeep());
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(ShippedLayoutsTest, TheSettingsTabPlacesItsGroupInTheMiddle) {
    CTestDialog dialog(0);
    ASSERT_TRUE(dialog.LoadLayer("<layer width='800' height='600'><body width='full' "
                                 "height='full'><dlgfile pos='0,0,-0,-0' src='522'/></body>"
                                 "</layer>"));
    const RECT place{100, 100, 110, 110};
    const HWND hwnd = dialog.CreateDialogWindow(nullptr, &place);
    ASSERT_NE(hwnd, nullptr);
    struct Case {
        std::int32_t id;
        RECT rect;
    };
    const Case cases[] = {
        {10065, {210, 200, 800, 300}},
        {10067, {620, 220, 700, 240}},
        {10064, {425, 280, 585, 310}},
    };
    for (const Case& c : cases) {
        ASSERT_NE(dialog.view.FindElement(c.id), nullptr) << c.id;
        EXPECT_EQ(dialog.view.FindElement(c.id)->rect, c.rect) << c.id;
    }
    EXPECT_EQ(dialog.view.GetElementText(10067), L"浏览...");
    DestroyWindow(hwnd);
}
