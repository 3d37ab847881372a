#include "app/Log.h"

#include <unistd.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>

namespace fs = std::filesystem;

namespace {

// The longest caller text one line keeps, and the line buffer: prefix, text, newline, zero.
constexpr std::size_t kMaxTextLength = 1011;
constexpr std::size_t kLineBufferSize = 1024;

// Serialises every call, including the path computation and the open and close of the file,
// so lines of different threads never interleave.
std::mutex g_logLock;
std::optional<std::string> g_folderOverride; // guarded by g_logLock

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool MakeWritableFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return !error && access(folder.c_str(), W_OK) == 0;
}

fs::path StateFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) {
        return fs::path(state);
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return fs::path(home) / ".local" / "state";
    }
    return {};
}

// A text cut at a byte limit may end inside a multi-byte UTF-8 character; drop that partial
// character so the line stays valid text.
void DropPartialCharacter(char* text, std::size_t length) {
    std::size_t start = length;
    while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) {
        --start;
    }
    if (start == 0) {
        return;
    }
    const auto lead = static_cast<unsigned char>(text[start - 1]);
    const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length - (start - 1) < needed) {
        text[start - 1] = '\0';
    }
}

std::string UsualLogFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path beside = program.parent_path() / "Log";
        if (MakeWritableFolder(beside)) {
            return beside.string();
        }
    }
    const fs::path state = StateFolder();
    if (state.empty()) {
        return {};
    }
    const fs::path fallback = state / "vistrel" / "Log";
    return MakeWritableFolder(fallback) ? fallback.string() : std::string();
}

// Called with g_logLock held.
std::string CurrentLogFolder() {
    if (!g_folderOverride) {
        return UsualLogFolder();
    }
    return MakeWritableFolder(*g_folderOverride) ? *g_folderOverride : std::string();
}

} // namespace

std::string LogFolder() {
    std::lock_guard lock(g_logLock);
    return CurrentLogFolder();
}

void SetLogFolderOverride(const std::optional<std::string>& folder) {
    std::lock_guard lock(g_logLock);
    g_folderOverride = folder;
}

std::string LogFileName(const std::tm& localDay) {
    std::array<char, 32> name{};
    std::snprintf(name.data(), name.size(), "%d-%02d-%02d.log", localDay.tm_year + 1900,
                  localDay.tm_mon + 1, localDay.tm_mday);
    return name.data();
}

void LogMessage(const char* format, ...) {
    std::lock_guard lock(g_logLock);

    const std::string folder = CurrentLogFolder();
    if (folder.empty()) {
        return;
    }
    // One reading of the clock names the file and stamps the line, so a line written around
    // midnight always lands in the file of the day its time stamp shows.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);

    FilePtr file(std::fopen((fs::path(folder) / LogFileName(local)).c_str(), "a"));
    if (!file) {
        return;
    }

    std::array<char, kMaxTextLength + 1> text{};
    va_list arguments;
    va_start(arguments, format);
    const int formatted = std::vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    if (formatted < 0) {
        return;
    }
    if (static_cast<std::size_t>(formatted) > kMaxTextLength) {
        DropPartialCharacter(text.data(), kMaxTextLength);
    }

    std::array<char, kLineBufferSize> line{};
    std::snprintf(line.data(), line.size(), "[%02d:%02d:%02d] %s\n", local.tm_hour, local.tm_min,
                  local.tm_sec, text.data());
    std::fputs(line.data(), file.get());
}
