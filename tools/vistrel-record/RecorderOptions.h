// Command-line options of vistrel-record.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct RecorderOptions {
    // A camera list in the VISTREL_CAMERAS syntax; unset: the environment, else the devices.
    std::optional<std::string> cameras;
    // Unset: the folder of setting.xml in the current directory, else the default videos folder.
    std::optional<std::string> folder;
    double seconds = 10;
    // Where to write the last video wall picture as PNG; empty: nowhere.
    std::string wallFile;
    bool help = false;
};

// Parses the arguments after the program name. On a usage error, answers nothing and
// describes the error in `error`.
std::optional<RecorderOptions> ParseRecorderOptions(const std::vector<std::string>& arguments,
                                                    std::string& error);

extern const char* const kRecorderUsage;
