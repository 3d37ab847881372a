#include "bkwin/BkMenuResource.h"

#include <gtest/gtest.h>

namespace {

struct CMenuOwner {
    HMENU menu;
    ~CMenuOwner() { DestroyMenu(menu); }
};

TEST(BkMenuResourceTest, ShippedMenusHoldTheirPopupsInOrder) {
    CMenuOwner tray{LoadSkinMenu(202)};
    ASSERT_NE(tray.menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(tray.menu), 1);
    EXPECT_EQ(tray.menu->items[0].text, L"TrayMenu");
    HMENU popup = GetSubMenu(tray.menu, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->items.size(), 3u);
    EXPECT_EQ(popup->items[0].id, 32775u);
    EXPECT_EQ(popup->items[0].text, L"窗口");
    EXPECT_TRUE(popup->items[1].flags & MF_SEPARATOR);
    EXPECT_EQ(popup->items[2].id, 32774u);
    EXPECT_EQ(popup->items[2].text, L"退出");

    CMenuOwner main{LoadSkinMenu(201)};
    ASSERT_NE(GetSubMenu(main.menu, 0), nullptr);
    EXPECT_EQ(GetSubMenu(main.menu, 0)->items.at(0).id, 32777u);
    EXPECT_EQ(GetSubMenu(main.menu, 0)->items.at(0).text, L"关于");
}

TEST(BkMenuResourceTest, MissingOrBrokenMenusAreNull) {
    for (int id : {4242, 9200, 9201, 103 /* an xml resource, not a menu */}) {
        EXPECT_EQ(LoadSkinMenu(id), nullptr) << id;
    }
}

} // namespace
