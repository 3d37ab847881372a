#include "app/Log.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Each test logs into a folder of its own: the tests of this program run in parallel processes.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vistrel-log-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        SetLogFolderOverride(m_folder.string());
    }
    void TearDown() override {
        SetLogFolderOverride(std::nullopt);
        std::filesystem::remove_all(m_folder);
    }

    // Today's log file.
    std::string Logged() const {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return ReadAll((m_folder / LogFileName(local)).string());
    }

    std::filesystem::path m_folder;
};

} // namespace

TEST(LogFileName, IsTheLocalDateWithTwoDigitMonthAndDay) {
    std::tm day{};
    day.tm_year = 2013 - 1900;
    day.tm_mon = 4;
    day.tm_mday = 31;
    EXPECT_EQ(LogFileName(day), "2013-05-31.log");
    day.tm_year = 2027 - 1900;
    day.tm_mon = 0;
    day.tm_mday = 1;
    EXPECT_EQ(LogFileName(day), "2027-01-01.log");
}

TEST(LogFolder, IsTheFolderLogBesideTheProgram) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(LogFolder(), (program.parent_path() / "Log").string());
    EXPECT_TRUE(std::filesystem::is_directory(LogFolder()));
}

TEST_F(LogTest, FirstLineOfTheDayCreatesTheFolderAndTheDaysFile) {
    EXPECT_FALSE(std::filesystem::exists(m_folder));
    LogMessage("first\n");
    EXPECT_EQ(LogFolder(), m_folder.string());
    EXPECT_FALSE(Logged().empty());
}

TEST_F(LogTest, WritesATimeStampedLineWithTheFormattedText) {
    LogMessage("cam num=%d\n", 3);
    const std::string text = Logged();
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\[\d\d:\d\d:\d\d\] cam num=3\n\n)"))) << text;
}

TEST_F(LogTest, TextWithoutNewlineMakesExactlyOneLine) {
    LogMessage("%s and %s", "one", "two");
    const std::string text = Logged();
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\[\d\d:\d\d:\d\d\] one and two\n)"))) << text;
}

TEST_F(LogTest, CutsTextsLongerThanTheLineBuffer) {
    const std::string longText(5000, 'x');
    LogMessage("%s", longText.c_str());
    const std::string text = Logged();
    ASSERT_EQ(text.size(), 11u + 1011u + 1u);
    EXPECT_EQ(text.substr(11, 1011), std::string(1011, 'x'));
    EXPECT_EQ(text.back(), '\n');
}

TEST_F(LogTest, CutTextNeverEndsInsideACharacter) {
    // 1010 ASCII bytes, then a three-byte character that crosses the 1011-byte limit.
    const std::string longText = std::string(1010, 'a') + "通道";
    LogMessage("%s", longText.c_str());
    const std::string text = Logged();
    EXPECT_EQ(text.substr(11), std::string(1010, 'a') + "\n");
}
