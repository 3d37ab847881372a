#include "settings/DefaultVideoFolder.h"

#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

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
        CScopedEnvironment home("HOME", "/home/tester");
        CScopedEnvironment configHome("XDG_CONFIG_HOME", config.c_str());
        CScopedEnvironment videos("XDG_VIDEOS_DIR", c.environment);
        EXPECT_EQ(DefaultVideoFolder(), c.expected);
    }
    fs::remove_all(config);
}
