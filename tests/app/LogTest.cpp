#include "app/Log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string TodaysLogPath() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return LogFolder() + "/" + LogFileName(local);
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text LogMessage appended: everything after the file's length before the call.
std::string LoggedBy(const std::function<void()>& call) {
    const std::string path = TodaysLogPath();
    std::error_code error;
    const auto before = std::filesystem::exists(path) ? std::filesystem::file_size(path) : 0;
    call();
    return ReadAll(path).substr(before);
}

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

TEST(LogMessage, WritesATimeStampedLineWithTheFormattedText) {
    const std::string text = LoggedBy([] { LogMessage("cam num=%d\n", 3); });
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\[\d\d:\d\d:\d\d\] cam num=3\n\n)"))) << text;
}

TEST(LogMessage, TextWithoutNewlineMakesExactlyOneLine) {
    const std::string text = LoggedBy([] { LogMessage("%s and %s", "one", "two"); });
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\[\d\d:\d\d:\d\d\] one and two\n)"))) << text;
}

TEST(LogMessage, CutsTextsLongerThanTheLineBuffer) {
    const std::string longText(5000, 'x');
    const std::string text = LoggedBy([&] { LogMessage("%s", longText.c_str()); });
    ASSERT_EQ(text.size(), 11u + 1011u + 1u);
    EXPECT_EQ(text.substr(11, 1011), std::string(1011, 'x'));
    EXPECT_EQ(text.back(), '\n');
}

TEST(LogMessage, CutTextNeverEndsInsideACharacter) {
    // 1010 ASCII bytes, then a three-byte character that crosses the 1011-byte limit.
    const std::string longText = std::string(1010, 'a') + "通道";
    const std::string text = LoggedBy([&] { LogMessage("%s", longText.c_str()); });
    EXPECT_EQ(text.substr(11), std::string(1010, 'a') + "\n");
}
