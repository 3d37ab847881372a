#include "bkwin/BkString.h"

#include <gtest/gtest.h>

namespace {

TEST(BkStringTest, NothingIsFoundBeforeLoading) {
    BkString table;
    for (int id : {0, 1, 2, 17, 1002, -3}) {
        EXPECT_EQ(table.Get(id), nullptr) << id;
    }
}

TEST(BkStringTest, LoadsEntriesAndTheLaterDuplicateWins) {
    BkString table;
    ASSERT_TRUE(table.Load(9001));
    ASSERT_NE(table.Get(5), nullptr);
    EXPECT_EQ(*table.Get(5), L"second");
    ASSERT_NE(table.Get(7), nullptr);
    EXPECT_EQ(*table.Get(7), L""); // an element without text gives empty text
    ASSERT_NE(table.Get(-3), nullptr);
    EXPECT_EQ(*table.Get(-3), L"负数 <b>");
    EXPECT_EQ(table.Get(6), nullptr); // only <s> elements are entries
    EXPECT_EQ(table.Get(0), nullptr); // nor does an <s> without id count as id 0
}

TEST(BkStringTest, RefusedResourcesLeaveTheTableAsItWas) {
    BkString table;
    ASSERT_TRUE(table.Load(9001));
    for (int id : {9002 /* root is not "string" */, 9003 /* malformed */, 9004 /* empty */,
                   9999 /* missing */}) {
        EXPECT_FALSE(table.Load(id)) << id;
    }
    EXPECT_EQ(table.Get(8), nullptr);
    ASSERT_NE(table.Get(5), nullptr);
    EXPECT_EQ(*table.Get(5), L"second");
}

TEST(BkStringTest, LaterLoadsAddToTheTable) {
    BkString table;
    ASSERT_TRUE(table.Load(9001));
    ASSERT_TRUE(table.Load(102));
    EXPECT_EQ(*table.Get(5), L"second");
    EXPECT_EQ(*table.Get(1), L"Vistrel");
}

} // namespace
