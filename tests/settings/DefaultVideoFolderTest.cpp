#include "settings/DefaultVideoFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {

// Sets or clears an environment variable for one test and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(DefaultVideoFolder, ComesFromTheUsersVideosFolder) {
    const fs::path config = fs::temp_directory_path() / ("vistrel-xdg-" + std::to_string(getpid()));
    fs::create_directories(config);
    const struct {
        const char* environment;
        const char* userDirsLine; // null: no user-dirs.dirs
        const char* expected;
    } cases[] = {
        {"/data/films", "XDG_VIDEOS_DIR=\"$HOME/Filme\"", "/data/films/Vistrel"},
        {nullptr, "XDG_VIDEOS_DIR=\"$HOME/Filme\"", "/home/tester/Filme/Vistrel"},
        {nullptr, "XDG_VIDEOS_DIR=\"/mnt/videos\"", "/mnt/videos/Vistrel"},
        {nullptr, nullptr, "/home/tester/Videos/Vistrel"},
    };
    for (const auto& c : cases) {
        fs::remove(config / "user-dirs.dirs");
        if (c.userDirsLine) {
            std::ofstream(config / "user-dirs.dirs") << "# comment\n" << c.userDirsLine << "\n";
        }
        ScopedEnvironment home("HOME", "/home/tester");
        ScopedEnvironment configHome("XDG_CONFIG_HOME", config.c_str());
        ScopedEnvironment videos("XDG_VIDEOS_DIR", c.environment);
        EXPECT_EQ(DefaultVideoFolder(), c.expected);
    }
    fs::remove_all(config);
}
