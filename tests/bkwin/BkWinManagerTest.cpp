// The window manager: the first one constructed is the process-wide one, and each thread has
// its own current window.
#include "bkwin/BkWinManager.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

HWND FakeWindow(std::uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

} // namespace

TEST(BkWinManagerTest, TheFirstManagerIsTheProcessWideOne) {
    EXPECT_EQ(BkWinManager::Instance(), nullptr);
    {
        BkWinManager first;
        BkWinManager second;
        EXPECT_EQ(BkWinManager::Instance(), &first);
    }
    EXPECT_EQ(BkWinManager::Instance(), nullptr);
}

TEST(BkWinManagerTest, EachThreadHasItsOwnCurrentWindow) {
    BkWinManager manager;
    EXPECT_EQ(manager.CurrentWindow(), nullptr);
    EXPECT_EQ(manager.SetCurrentWindow(FakeWindow(1)), nullptr);

    std::vector<std::thread> threads;
    std::vector<int> ok(4, 0); // one whole element per thread
    for (std::uintptr_t i = 0; i < ok.size(); ++i) {
        threads.emplace_back([&manager, &ok, i] {
            bool good = manager.CurrentWindow() == nullptr;
            for (std::uintptr_t round = 0; round < 200; ++round) {
                const HWND mine = FakeWindow(100 + i * 1000 + round);
                const HWND previous = manager.SetCurrentWindow(mine);
                good =
                    good && previous == (round == 0 ? nullptr : FakeWindow(99 + i * 1000 + round));
                good = good && manager.CurrentWindow() == mine;
            }
            manager.SetCurrentWindow(nullptr);
            ok[i] = good && manager.CurrentWindow() == nullptr ? 1 : 0;
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(ok, std::vector<int>(ok.size(), 1));
    EXPECT_EQ(manager.SetCurrentWindow(FakeWindow(2)), FakeWindow(1));
    EXPECT_EQ(manager.CurrentWindow(), FakeWindow(2));
}
