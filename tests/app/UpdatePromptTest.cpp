// The update check's answer on the headless screen: CUIHandler reads the descriptor and the main
// window shows the update prompt for a newer version only, centred in the work area the first
// time and where it was afterwards, with the descriptor's texts shown as text.
#include "ClientFixture.h"

#include "app/AppCommands.h"
#include "app/UIHandler.h"
#include "bkwin/BkRichText.h"

#include "platform/core/Paint.h"
#include "platform/core/Window.h"

namespace {

class UpdatePromptTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        OpenMainWindow();
    }
    bool PromptShown() {
        const HWND box = m_main->UpdatePrompt().Window();
        return box && IsWindowVisible(box);
    }
    RECT PromptRect() {
        RECT rect{};
        GetWindowRect(m_main->UpdatePrompt().Window(), &rect);
        return rect;
    }
    // The descriptor as the dispatcher hands it to the main window's handler.
    bool Answer(const char* descriptor) {
        CUIHandler handler(*m_main);
        const bool handled = handler.OnRawMessage(kUpdateCheckMessage, descriptor);
        headless::PumpMessages();
        return handled;
    }
};

TEST_F(UpdatePromptTest, OnlyANewerVersionShowsThePrompt) {
    const struct {
        const char* descriptor;
        bool shown;
    } cases[] = {
        {R"({"versionValue": 1, "versionName": "A", "versionId": "1.0"})", false},
        {R"({"versionValue": 0, "versionName": "A"})", false},
        {R"({"versionName": "A", "versionId": "2.0", "versionDifrent": "fix"})", false},
        {"{}", false},
        {"[2]", false},
        {"2", false},
        {R"("versionValue")", false},
        {"", false},
        {R"({"versionValue": "2"})", false},
        {R"({"versionValue": 2, "versionName": "A", "versionId": "2.0", "versionDifrent": "fix"})",
         true},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Answer(c.descriptor)) << c.descriptor;
        EXPECT_EQ(PromptShown(), c.shown) << c.descriptor;
    }
}

TEST_F(UpdatePromptTest, ThePromptIsCentredTheFirstTimeAndKeepsItsPlaceAfterwards) {
    ASSERT_TRUE(Answer(R"({"versionValue": 2, "versionName": "A", "versionId": "2.0"})"));
    ASSERT_TRUE(PromptShown());
    const RECT first = PromptRect();
    const RECT work = CTestDesktop::kFullWorkArea;
    EXPECT_EQ(first.left, (work.Width() - first.Width()) / 2);
    EXPECT_EQ(first.top, (work.Height() - first.Height()) / 2);

    // The user moves it and closes it; the next answer shows it where the user left it.
    const HWND box = m_main->UpdatePrompt().Window();
    SetWindowPos(box, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_main->UpdatePrompt().EndMsgBox(2);
    ASSERT_FALSE(PromptShown());
    ASSERT_TRUE(Answer(R"({"versionValue": 3, "versionName": "B", "versionId": "3.0"})"));
    EXPECT_TRUE(PromptShown());
    const RECT again = PromptRect();
    EXPECT_EQ(again.left, 100);
    EXPECT_EQ(again.top, 120);
    EXPECT_EQ(again.Width(), first.Width());
}

TEST_F(UpdatePromptTest, ThePromptIsCentredInAWorkAreaThatDoesNotStartAtTheScreensCorner) {
    const RECT work{64, 27, 1280, 800}; // a dock at the left, a bar at the top
    TestDesktop().workArea = work;
    CloseMainWindow();
    OpenMainWindow();
    ASSERT_TRUE(Answer(R"({"versionValue": 2, "versionName": "A", "versionId": "2.0"})"));
    ASSERT_TRUE(PromptShown());
    const RECT rect = PromptRect();
    // Equal margins, but for the odd pixel that the division leaves.
    EXPECT_NEAR(rect.left - work.left, work.right - rect.right, 1);
    EXPECT_NEAR(rect.top - work.top, work.bottom - rect.bottom, 1);
}

TEST_F(UpdatePromptTest, MarkupInTheDescriptorsTextsShowsAsTextAndMakesNoLink) {
    // Unescaped, the name would make a link of its own in the prompt.
    ASSERT_TRUE(Answer(R"({"versionValue": 2, "versionName": "<a id=\"7\">click</a>",
                           "versionId": "2.0", "versionDifrent": "fix"})"));
    ASSERT_TRUE(PromptShown());
    auto* richText =
        dynamic_cast<CBkRichText*>(m_main->UpdatePrompt().view.FindElement(kPromptRichText));
    ASSERT_NE(richText, nullptr);
    UpdateWindow(m_main->UpdatePrompt().Window());
    headless::PumpMessages();
    EXPECT_TRUE(richText->Links().empty());
}

} // namespace
