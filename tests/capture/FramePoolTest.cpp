#include "capture/FramePool.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

TEST(FramePool, ItemComesBackWithItsImageBufferAndFreshFields) {
    CFramePool pool;
    FrameWorkItemPtr item = pool.Acquire();
    item->image.create(48, 64, CV_8UC3);
    item->cameraIndex = 5;
    item->cameraCount = 6;
    item->final = true;
    const FrameWorkItem* first = item.get();
    const uchar* buffer = item->image.data;
    item.reset();

    FrameWorkItemPtr again = pool.Acquire();
    EXPECT_EQ(again.get(), first);
    EXPECT_EQ(again->image.data, buffer);
    EXPECT_EQ(again->image.size(), cv::Size(64, 48));
    EXPECT_EQ(again->encoder, nullptr);
    EXPECT_EQ(again->cameraIndex, 0);
    EXPECT_EQ(again->cameraCount, 0);
    EXPECT_FALSE(again->final);
    // While it is in use, the pool hands out another one.
    const FrameWorkItemPtr other = pool.Acquire();
    EXPECT_NE(other.get(), again.get());
    EXPECT_TRUE(other->image.empty());
}

TEST(FramePool, ItemsEndedOnAnotherThreadAreUsedAgain) {
    CFramePool pool;
    std::vector<FrameWorkItemPtr> items;
    for (int i = 0; i < 3; ++i) {
        items.push_back(pool.Acquire());
    }
    const std::set<FrameWorkItem*> handedOut{items[0].get(), items[1].get(), items[2].get()};
    std::thread consumer([moved = std::move(items)]() mutable { moved.clear(); });
    consumer.join();
    std::set<FrameWorkItem*> again;
    std::vector<FrameWorkItemPtr> held;
    for (int i = 0; i < 3; ++i) {
        held.push_back(pool.Acquire());
        again.insert(held.back().get());
    }
    EXPECT_EQ(again, handedOut);
}

TEST(FramePool, ItemMadeWithoutAPoolIsDeletedAsUsual) {
    FrameWorkItemPtr item = std::make_unique<FrameWorkItem>();
    EXPECT_EQ(item.get_deleter().pool, nullptr);
}
