#include "SessionFixture.h"

#include "app/Log.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

void SessionTest::SetUp() {
    m_folder = fs::temp_directory_path() /
               ("vistrel-session-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    m_logFolder = m_folder.string() + "-log";
    fs::remove_all(m_folder);
    fs::remove_all(m_logFolder);
    fs::create_directories(m_folder);
    // Tests of one program run in parallel processes; each reads only its own log.
    SetLogFolderOverride(m_logFolder.string());
}

void SessionTest::TearDown() {
    SetCameraListOverride(std::nullopt);
    SetLogFolderOverride(std::nullopt);
    fs::remove_all(m_folder);
    fs::remove_all(m_logFolder);
}

std::string SessionTest::LoggedText() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ifstream file(m_logFolder / LogFileName(local));
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<DecodedPicture> SessionTest::FinishedStream(const std::string& path) {
    const DecodedStream stream = DecodeH264File(path);
    EXPECT_TRUE(stream.opened) << path;
    EXPECT_EQ(stream.errors, 0) << path;
    EXPECT_TRUE(EndsWithEndCode(ReadFileBytes(path))) << path;
    return stream.pictures;
}

CSteppingClock::CSteppingClock(int year, int month, int day, int hour, int minute, int second)
    : m_next(LocalTimeOf(year, month, day, hour, minute, second)) {}

std::time_t CSteppingClock::LocalTimeOf(int year, int month, int day, int hour, int minute,
                                        int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

namespace {

cv::Rect ChromaRegion(cv::Rect lumaRegion) {
    return {lumaRegion.x / 2, lumaRegion.y / 2, lumaRegion.width / 2, lumaRegion.height / 2};
}

} // namespace

double MinU(const DecodedPicture& picture, cv::Rect lumaRegion) {
    double lowest = 0;
    cv::minMaxLoc(picture.u(ChromaRegion(lumaRegion)), &lowest);
    return lowest;
}
