// Posting and sending across threads.
#include "tests/support/MessageWaitLimit.h"
#include "tests/support/TestWindow.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/WindowOwner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

constexpr UINT kAdd = WM_USER + 1;
constexpr UINT kStop = WM_USER + 2;

// Runs a message loop on its own thread with one window, until WM_QUIT.
class CUiThread {
public:
    explicit CUiThread(Handler handler) {
        std::promise<HWND> created;
        m_thread = std::thread([this, handler, &created] {
            CWindowOwner hwnd(CreateTestWindow({handler}, WS_POPUP, {0, 0, 10, 10}));
            created.set_value(hwnd);
            MSG msg;
            while (GetMessage(&msg, nullptr, 0, 0)) {
                DispatchMessage(&msg);
            }
        });
        m_hwnd = created.get_future().get();
    }
    ~CUiThread() {
        Quit();
        m_thread.join();
    }
    HWND Window() const { return m_hwnd; }
    void Quit() { PostMessage(m_hwnd, kStop, 0, 0); }

private:
    std::thread m_thread;
    HWND m_hwnd = nullptr;
};

Handler Adder(std::atomic<int>* last = nullptr) {
    return [last](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == kAdd) {
            if (last) {
                EXPECT_EQ(int(w), last->load() + 1); // sends arrive in order
                last->store(int(w));
            }
            return LRESULT(w + LPARAM(l));
        }
        if (m == kStop) {
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProc(h, m, w, l);
    };
}

TEST(MessageTest, SendToAnotherThreadWaitsForTheHandlersResultInOrder) {
    std::atomic<int> last{0};
    CUiThread ui(Adder(&last));
    for (int i = 1; i <= 200; ++i) {
        ASSERT_EQ(SendMessage(ui.Window(), kAdd, WPARAM(i), 1000), 1000 + i);
    }
    EXPECT_EQ(last.load(), 200);
}

TEST(MessageTest, SendsFromSeveralThreadsAreEachAnswered) {
    CUiThread ui(Adder());
    std::vector<std::thread> senders;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        senders.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i) {
                wrong += SendMessage(ui.Window(), kAdd, WPARAM(i), t * 1000) != t * 1000 + i;
            }
        });
    }
    for (auto& s : senders) {
        s.join();
    }
    EXPECT_EQ(wrong.load(), 0);
}

TEST(MessageTest, SendToMissingWindowAnswersZeroAtOnce) {
    HWND gone = CreateTestWindow({}, WS_POPUP, {0, 0, 1, 1});
    DestroyWindow(gone);
    EXPECT_EQ(SendMessage(gone, kAdd, 1, 1), 0);
    EXPECT_FALSE(PostMessage(gone, kAdd, 1, 1));
    EXPECT_EQ(SendMessage(nullptr, kAdd, 1, 1), 0);
}

TEST(MessageTest, SendPendingWhileTheWindowIsDestroyedAnswersZero) {
    // The owner thread is busy in a handler when the send arrives, and destroys the window
    // before it looks at its queue again.
    std::promise<HWND> created;
    std::promise<void> busy;
    std::promise<void> sendStarted;
    std::thread owner([&] {
        HWND hwnd = CreateTestWindow({Adder()}, WS_POPUP, {0, 0, 1, 1});
        created.set_value(hwnd);
        busy.get_future().wait();
        sendStarted.get_future().wait();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        DestroyWindow(hwnd);
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessage(&msg);
        }
    });
    HWND hwnd = created.get_future().get();
    busy.set_value();
    auto result = std::async(std::launch::async, [&] {
        sendStarted.set_value();
        return SendMessage(hwnd, kAdd, 5, 5);
    });
    ASSERT_EQ(result.wait_for(kWaitLimit), std::future_status::ready)
        << "the send to the destroyed window is still waiting";
    EXPECT_EQ(result.get(), 0);
    owner.join();
}

TEST(MessageTest, SendToAThreadThatEndedAnswersZero) {
    HWND hwnd;
    std::thread([&] { hwnd = CreateTestWindow({Adder()}, WS_POPUP, {0, 0, 1, 1}); }).join();
    EXPECT_EQ(SendMessage(hwnd, kAdd, 1, 1), 0);
}

TEST(MessageTest, TwoThreadsSendingToEachOtherDoNotDeadlock) {
    // Each handler sends to the other thread's window before answering.
    std::atomic<HWND> windows[2] = {nullptr, nullptr};
    std::atomic<int> ready{0};
    std::atomic<int> answers[2] = {0, 0};
    auto body = [&](int me) {
        Handler h = [&, me](HWND hw, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == kAdd) {
                return LRESULT(w) * 2;
            }
            return DefWindowProc(hw, m, w, l);
        };
        windows[me] = CreateTestWindow({h}, WS_POPUP, {0, 0, 1, 1});
        ++ready;
        EXPECT_TRUE(WaitUntil([&] { return ready.load() >= 2; }, kWaitLimit));
        for (int i = 0; i < 100; ++i) {
            if (SendMessage(windows[1 - me].load(), kAdd, WPARAM(i), 0) == LRESULT(i * 2)) {
                ++answers[me];
            }
        }
        ++ready;
        // Keep answering the other side until it is done too.
        EXPECT_TRUE(
            WaitUntil([&] { return ready.load() >= 4; }, kWaitLimit, WaitMode::PumpMessages));
        DestroyWindow(windows[me].load());
    };
    std::thread a(body, 0), b(body, 1);
    a.join();
    b.join();
    EXPECT_EQ(answers[0].load(), 100);
    EXPECT_EQ(answers[1].load(), 100);
}

TEST(MessageTest, PostedMessagesComeInOrderAndQuitComesAfterThem) {
    CMessageLog log;
    CWindowOwner hwnd(CreateTestWindow({nullptr, &log}, WS_POPUP, {0, 0, 1, 1}));
    PostQuitMessage(3);
    PostMessage(hwnd, kAdd, 1, 0);
    PostMessage(hwnd, kAdd, 2, 0);
    PostThreadMessage(GetCurrentThreadId(), kAdd, 3, 0);
    CMessageWaitLimit limit;
    MSG msg;
    std::vector<WPARAM> seen;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        seen.push_back(msg.wParam);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2, 3}));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(log.Count(kAdd), 2);
}

TEST(MessageTest, PeekWithoutRemovingLeavesTheMessageAndFiltersApply) {
    CWindowOwner a(CreateTestWindow({}, WS_POPUP, {0, 0, 1, 1}));
    CWindowOwner b(CreateTestWindow({}, WS_POPUP, {0, 0, 1, 1}));
    PostMessage(a, kAdd, 1, 0);
    PostMessage(b, kStop, 2, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, kAdd, kAdd, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST(MessageTest, GetMessageHandlesSendsWhileWaitingForPosts) {
    // A worker sends while the UI thread sits in GetMessage; the answer returns before any
    // posted message arrives.
    std::atomic<int> handled{0};
    Handler h = [&](HWND hw, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == kAdd) {
            ++handled;
            return 42;
        }
        return DefWindowProc(hw, m, w, l);
    };
    CWindowOwner hwnd(CreateTestWindow({h}, WS_POPUP, {0, 0, 1, 1}));
    std::thread worker([&] {
        EXPECT_EQ(SendMessage(hwnd, kAdd, 0, 0), 42);
        PostMessage(hwnd, kStop, 0, 0);
    });
    CMessageWaitLimit limit;
    MSG msg;
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, kStop);
    EXPECT_EQ(handled.load(), 1);
    worker.join();
}

} // namespace
