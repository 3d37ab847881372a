#include "app/UITaskRunner.h"

#include "app/AppMessages.h"
#include "app/MainWindowHandle.h"
#include "app/SentMessageWait.h"
#include "app/UINotifyTask.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Timer.h"
#include "platform/core/Window.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct Notice {
    WString title;
    WString text;
    bool nested = false; // received inside the nested loop of the test
    friend bool operator==(const Notice&, const Notice&) = default;
};

// What the recording tasks did, in order, from whichever thread.
class CJournal {
public:
    struct Completion {
        int id;
        int sequence;
        int state;
        friend bool operator==(const Completion&, const Completion&) = default;
    };

    void Ran(int id) {
        std::lock_guard lock(m_lock);
        m_runs.push_back(id);
        m_maxActive = std::max(m_maxActive, ++m_active);
        m_runThreads.push_back(std::this_thread::get_id());
    }
    void Finished() {
        std::lock_guard lock(m_lock);
        --m_active;
    }
    void Completed(int id, int sequence, int state) {
        std::lock_guard lock(m_lock);
        m_completions.push_back({id, sequence, state});
    }
    void Destroyed(int id) {
        std::lock_guard lock(m_lock);
        m_destroyed.push_back(id);
    }

    std::vector<int> Runs() {
        std::lock_guard lock(m_lock);
        return m_runs;
    }
    std::vector<Completion> Completions() {
        std::lock_guard lock(m_lock);
        return m_completions;
    }
    std::vector<int> DestroyedTasks() {
        std::lock_guard lock(m_lock);
        return m_destroyed;
    }
    int MaxActive() {
        std::lock_guard lock(m_lock);
        return m_maxActive;
    }
    std::vector<std::thread::id> RunThreads() {
        std::lock_guard lock(m_lock);
        return m_runThreads;
    }

private:
    std::mutex m_lock;
    std::vector<int> m_runs;
    std::vector<Completion> m_completions;
    std::vector<int> m_destroyed;
    std::vector<std::thread::id> m_runThreads;
    int m_active = 0;
    int m_maxActive = 0;
};

// A task that writes what happens to it into a journal. With `notice`, its run sends that
// notice to the main window first, as a notice task does.
class CRecordingTask : public conew::IBaseTask {
public:
    CRecordingTask(CJournal& journal, int id, bool succeeds = true, const wchar_t* notice = nullptr)
        : m_journal(journal), m_id(id), m_succeeds(succeeds), m_notice(notice) {}
    ~CRecordingTask() override { m_journal.Destroyed(m_id); }

    bool run() override {
        m_journal.Ran(m_id);
        m_started.store(true);
        if (m_notice) {
            const WString title = L"提示";
            SendMessage(MainWindowHandle(), WM_SHOW_NOTICE, reinterpret_cast<WPARAM>(title.c_str()),
                        reinterpret_cast<LPARAM>(m_notice));
        } else {
            // Long enough for an overlapping run to show in the journal.
            std::this_thread::sleep_for(2ms);
        }
        m_journal.Finished();
        return m_succeeds;
    }
    void Complete(int state) override { m_journal.Completed(m_id, Sequence(), state); }

    bool Started() const { return m_started.load(); }

private:
    CJournal& m_journal;
    const int m_id;
    const bool m_succeeds;
    const wchar_t* m_notice;
    std::atomic<bool> m_started{false};
};

// Posts a recording task and drops the test's own reference, as a poster does.
int PostRecording(CUITaskRunner& runner, CJournal& journal, int id, bool succeeds = true) {
    const conew::TaskPtr task(new CRecordingTask(journal, id, succeeds));
    return runner.Post(task.get());
}

// The main window stand-in: a real window of the platform on the test's thread that records
// the notices it is sent.
class UITaskRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        CTestWindowSetup setup;
        setup.handler = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg == WM_TIMER && m_onTimer) {
                m_onTimer(wParam);
                return 0;
            }
            if (msg != WM_SHOW_NOTICE) {
                return DefWindowProc(hwnd, msg, wParam, lParam);
            }
            {
                std::lock_guard lock(m_lock);
                m_notices.push_back({reinterpret_cast<const wchar_t*>(wParam),
                                     reinterpret_cast<const wchar_t*>(lParam), m_nested});
            }
            // A loop waiting for the notice looks again once a posted message comes.
            PostMessage(hwnd, WM_NULL, 0, 0);
            return 0;
        };
        m_window = CreateTestWindow(setup, WS_POPUP, {0, 0, 100, 50});
        ASSERT_NE(m_window, nullptr);
        SetMainWindowHandle(m_window);
    }
    void TearDown() override {
        m_runner.Stop();
        SetMainWindowHandle(nullptr);
        DestroyWindow(m_window);
    }

    std::vector<Notice> Notices() {
        std::lock_guard lock(m_lock);
        return m_notices;
    }
    // Handles what the task thread sends until `count` notices have come, for at most 10 s.
    bool WaitForNotices(std::size_t count) {
        return WaitHandlingSentMessages([&] { return Notices().size() >= count; }, 10s);
    }

    HWND m_window = nullptr;
    CUITaskRunner m_runner;
    // Touched on the test's thread only: the window's timer handler, and whether the test is
    // inside its nested loop.
    std::function<void(UINT_PTR)> m_onTimer;
    bool m_nested = false;
    std::mutex m_lock;
    std::vector<Notice> m_notices; // guarded by m_lock
};

} // namespace

TEST_F(UITaskRunnerTest, NoticesReachTheMainWindowInPostingOrderWithTitleAndText) {
    m_runner.Start();
    PostNotification(m_runner, L"提示", L"Vistrel感谢您的使用！");
    PostNotification(m_runner, L"提示", L"没有检测到摄像头！");
    PostNotification(m_runner, L"", L"third");
    ASSERT_TRUE(WaitForNotices(3));
    EXPECT_EQ(Notices(), (std::vector<Notice>{{L"提示", L"Vistrel感谢您的使用！"},
                                              {L"提示", L"没有检测到摄像头！"},
                                              {L"", L"third"}}));
}

TEST_F(UITaskRunnerTest, TasksRunOneAtATimeInPostingOrderOnTheTaskThread) {
    CJournal journal;
    m_runner.Start();
    std::vector<int> sequences;
    for (int id = 1; id <= 6; ++id) {
        sequences.push_back(PostRecording(m_runner, journal, id, id % 3 != 0));
    }
    EXPECT_EQ(sequences, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    m_runner.Signal();
    ASSERT_TRUE(
        WaitHandlingSentMessages([&] { return journal.DestroyedTasks().size() == 6; }, 10s));

    EXPECT_EQ(journal.Runs(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(journal.DestroyedTasks(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    using C = CJournal::Completion;
    EXPECT_EQ(journal.Completions(),
              (std::vector<C>{{1, 1, 3}, {2, 2, 3}, {3, 3, 1}, {4, 4, 3}, {5, 5, 3}, {6, 6, 1}}));
    EXPECT_EQ(journal.MaxActive(), 1);
    for (const std::thread::id thread : journal.RunThreads()) {
        EXPECT_NE(thread, std::this_thread::get_id());
    }
}

TEST_F(UITaskRunnerTest, PostedTasksWaitForTheSignal) {
    CJournal journal;
    m_runner.Start();
    PostRecording(m_runner, journal, 1);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(journal.Runs().empty());
    m_runner.Signal();
    ASSERT_TRUE(
        WaitHandlingSentMessages([&] { return journal.DestroyedTasks().size() == 1; }, 10s));
    EXPECT_EQ(journal.Runs(), std::vector<int>{1});
}

TEST_F(UITaskRunnerTest, StopHandlesTheRunningTasksNoticeAndReleasesQueuedTasksWithoutRunningThem) {
    CJournal journal;
    m_runner.Start();
    const conew::TaskPtr sending(new CRecordingTask(journal, 1, true, L"while stopping"));
    m_runner.Post(sending.get());
    PostRecording(m_runner, journal, 2);
    PostRecording(m_runner, journal, 3);
    m_runner.Signal();
    // The first task now waits for this thread to handle its notice; nothing is handled yet.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!static_cast<CRecordingTask*>(sending.get())->Started()) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        std::this_thread::sleep_for(1ms);
    }

    m_runner.Stop();

    EXPECT_EQ(Notices(), (std::vector<Notice>{{L"提示", L"while stopping"}}));
    EXPECT_EQ(journal.Runs(), std::vector<int>{1});
    EXPECT_EQ(journal.Completions(), (std::vector<CJournal::Completion>{{1, 1, 3}}));
    // The queued tasks are gone; the first is still held by the test.
    EXPECT_EQ(journal.DestroyedTasks(), (std::vector<int>{2, 3}));
}

TEST_F(UITaskRunnerTest, StopOfARunnerNeverSignalledReleasesItsTasksAndItCanStartAgain) {
    CJournal journal;
    PostRecording(m_runner, journal, 1);
    m_runner.Start();
    PostRecording(m_runner, journal, 2);
    m_runner.Stop();
    EXPECT_TRUE(journal.Runs().empty());
    EXPECT_TRUE(journal.Completions().empty());
    EXPECT_EQ(journal.DestroyedTasks(), (std::vector<int>{1, 2}));

    m_runner.Start();
    m_runner.Start(); // already started: left alone
    EXPECT_EQ(PostRecording(m_runner, journal, 3), 1);
    m_runner.Signal();
    ASSERT_TRUE(
        WaitHandlingSentMessages([&] { return journal.DestroyedTasks().size() == 3; }, 10s));
    EXPECT_EQ(journal.Runs(), std::vector<int>{3});
}

TEST_F(UITaskRunnerTest, NoticePostedInsideANestedLoopIsHandledByThatLoop) {
    m_runner.Start();
    constexpr UINT_PTR kOpenLoop = 1;
    constexpr UINT_PTR kGiveUp = 2;
    bool gaveUp = false;
    // The outer loop dispatches the first timer; its handler opens a nested loop, as a modal
    // dialog does, and posts the notice from inside it.
    m_onTimer = [&](UINT_PTR id) {
        KillTimer(m_window, id);
        if (id == kGiveUp) {
            gaveUp = true;
            return;
        }
        m_nested = true;
        PostNotification(m_runner, L"提示", L"nested");
        RunModalLoop([&] { return !Notices().empty() || gaveUp; });
        m_nested = false;
    };
    SetTimer(m_window, kOpenLoop, 1, nullptr);
    SetTimer(m_window, kGiveUp, 10000, nullptr);
    while (Notices().empty() && !gaveUp) {
        MSG message;
        ASSERT_NE(GetMessage(&message, nullptr, 0, 0), 0);
        DispatchMessage(&message);
    }
    KillTimer(m_window, kGiveUp);
    ASSERT_FALSE(gaveUp);
    EXPECT_EQ(Notices(), (std::vector<Notice>{{L"提示", L"nested", true}}));
}

TEST_F(UITaskRunnerTest, NoticeTaskFailsWithoutAMainWindow) {
    CUINotifyTask withWindow(L"t", L"shown");
    EXPECT_TRUE(withWindow.run()); // same thread: handled during the call
    SetMainWindowHandle(nullptr);
    CUINotifyTask withoutWindow(L"t", L"lost");
    EXPECT_FALSE(withoutWindow.run());
    EXPECT_EQ(Notices(), (std::vector<Notice>{{L"t", L"shown"}}));
}
