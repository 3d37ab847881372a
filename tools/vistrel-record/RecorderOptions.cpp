#include "RecorderOptions.h"

#include "capture/CameraSource.h"

#include <cmath>
#include <cstdlib>

const char* const kRecorderUsage =
    "usage: vistrel-record [--cameras LIST] [--folder DIR] [--seconds N] [--wall FILE.png]\n"
    "Records one session from every camera into DIR, one H.264 stream file per camera.\n"
    "  --cameras LIST   camera sources separated by ';' (test, test:WxH, test:fail,\n"
    "                   test:frames=N, emulated, emulated:bus=N, emulated:unplug=N,\n"
    "                   /dev/videoN); default: $VISTREL_CAMERAS, else the devices\n"
    "  --folder DIR     recording folder (created if missing); default: the one in\n"
    "                   setting.xml, else ~/Videos/Vistrel\n"
    "  --seconds N      length of the session (default 10)\n"
    "  --wall FILE.png  write the last video wall picture\n";

std::optional<RecorderOptions> ParseRecorderOptions(const std::vector<std::string>& arguments,
                                                    std::string& error) {
    RecorderOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name != "--cameras" && name != "--folder" && name != "--seconds" && name != "--wall") {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (name == "--cameras") {
            const CameraListParse parse = ParseCameraList(value);
            if (!parse.errors.empty()) {
                error = "--cameras: " + parse.errors.front();
                return std::nullopt;
            }
            options.cameras = value;
        } else if (name == "--folder") {
            if (value.empty()) {
                error = "--folder needs a folder";
                return std::nullopt;
            }
            options.folder = value;
        } else if (name == "--seconds") {
            char* end = nullptr;
            const double seconds = std::strtod(value.c_str(), &end);
            if (end == value.c_str() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0 ||
                seconds > 24 * 3600) {
                error = "--seconds needs a positive number of seconds";
                return std::nullopt;
            }
            options.seconds = seconds;
        } else {
            options.wallFile = value;
        }
    }
    return options;
}
