// The notice box of the main window on the headless screen: placed once at the bottom-right
// corner of the work area, shown for five seconds, replaced and timed anew by a second notice,
// and shown from inside a modal loop.
#include "ClientFixture.h"
#include "tests/support/ModalScript.h"

#include "app/AppCommands.h"
#include "app/AppMessages.h"
#include "bkwin/BkString.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/Window.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class NoticeTest : public ClientTest {
protected:
    bool NoticeShown() {
        const HWND box = m_main->NoticeBox().Window();
        return box && IsWindowVisible(box);
    }
    WString NoticeText() { return m_main->NoticeBox().view.GetElementText(kBoxText); }
    RECT NoticeRect() {
        RECT rect{};
        GetWindowRect(m_main->NoticeBox().Window(), &rect);
        return rect;
    }
    // Waits for the notice with this text.
    testing::AssertionResult WaitForNotice(const WString& text) {
        return PumpUntil([&] { return NoticeShown() && NoticeText() == text; });
    }
};

TEST_F(NoticeTest, TheWelcomeNoticeSitsAtTheBottomRightCornerOfTheWorkArea) {
    const RECT workAreas[] = {
        CTestDesktop::kFullWorkArea,
        {64, 27, 1280, 800}, // a dock at the left, a bar at the top
        {0, 0, 1200, 740},   // a dock at the right, a panel at the bottom
    };
    for (const RECT& workArea : workAreas) {
        TestDesktop().workArea = workArea;
        OpenMainWindow();
        ASSERT_TRUE(WaitForNotice(BkString::Instance().Text(kStringWelcome)));
        const RECT rect = NoticeRect();
        EXPECT_EQ(rect.right, workArea.right) << workArea.left << "," << workArea.top;
        EXPECT_EQ(rect.bottom, workArea.bottom) << workArea.left << "," << workArea.top;
        EXPECT_GT(rect.Width(), 0);
        CloseMainWindow();
    }
}

TEST_F(NoticeTest, ANoticeGoesAfterFiveSeconds) {
    OpenMainWindow();
    ASSERT_TRUE(WaitForNotice(BkString::Instance().Text(kStringWelcome)));
    const auto shown = Clock::now();
    ASSERT_TRUE(PumpUntil([&] { return !NoticeShown(); }, milliseconds(8000)));
    const auto elapsed = Clock::now() - shown;
    EXPECT_GE(elapsed, milliseconds(4900));
    EXPECT_LT(elapsed, milliseconds(6500));
}

TEST_F(NoticeTest, ASecondNoticeReplacesTheTextInPlaceAndRestartsTheFiveSeconds) {
    OpenMainWindow();
    ASSERT_TRUE(WaitForNotice(BkString::Instance().Text(kStringWelcome)));
    const auto first = Clock::now();
    const RECT place = NoticeRect();
    PumpFor(milliseconds(2500));

    m_main->PostNotification(L"提示", L"第二条通知");
    ASSERT_TRUE(WaitForNotice(L"第二条通知"));
    const auto second = Clock::now();
    EXPECT_EQ(NoticeRect(), place);

    ASSERT_TRUE(PumpUntil([&] { return !NoticeShown(); }, milliseconds(9000)));
    const auto hidden = Clock::now();
    // Well past the first notice's five seconds, five seconds after the second.
    EXPECT_GE(hidden - first, milliseconds(7000));
    EXPECT_GE(hidden - second, milliseconds(4900));
    EXPECT_LT(hidden - second, milliseconds(6500));
}

TEST_F(NoticeTest, ANoticePostedDuringAModalLoopShowsWhileThatLoopRuns) {
    CVistrelMainWnd& main = OpenMainWindow();
    ASSERT_TRUE(WaitForNotice(BkString::Instance().Text(kStringWelcome)));

    // The about box is the modal loop; it ends once the notice shows, or after a second.
    const auto endAboutBox = [] {
        const WString title = L"关于";
        if (CBkDialogHost* about = DialogOf(FindWindow(L"BkDialogWindow", &title))) {
            about->EndModal(2);
        }
    };
    bool shownInsideTheLoop = false;
    std::deque<std::function<void()>> steps{
        [&] { main.PostNotification(L"提示", L"模态中的通知"); }};
    for (int i = 0; i < 200; ++i) {
        steps.push_back([&] {
            if (!shownInsideTheLoop && NoticeShown() && NoticeText() == L"模态中的通知") {
                shownInsideTheLoop = true;
                endAboutBox();
            }
        });
    }
    steps.push_back(endAboutBox);
    CModalScript script(std::move(steps));
    SendMessage(main.Window(), WM_COMMAND, kCommandAbout, 0);
    EXPECT_TRUE(shownInsideTheLoop);
}

TEST_F(NoticeTest, AStreamFileThatCannotBeWrittenIsNamedInANotice) {
    CVistrelMainWnd& main = OpenMainWindow();
    ASSERT_TRUE(WaitForNotice(BkString::Instance().Text(kStringWelcome)));
    PostMessage(main.Window(), WM_STREAM_FILE_FAILED, 2, 0);
    EXPECT_TRUE(WaitForNotice(L"通道2的录像文件无法写入！"));
}

} // namespace
