// Where the cameras come from: the V4L2 capture devices of the machine, or, when the
// environment variable VISTREL_CAMERAS (or the process-wide override) is set, the sources it
// lists, separated by ";":
//   test                  a synthetic 640 x 480 camera at 25 frames per second
//   test:WxH              a synthetic camera that gives only W x H and refuses other sizes
//   test:fail             a camera that cannot be opened
//   test:frames=N         stops delivering after N frames, as an unplugged camera does
//                         (0: opens but never delivers)
//   /dev/videoN           that device
// Options of a test camera may combine, separated by ",": test:320x240,frames=100.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CameraSource {
    // The V4L2 device node; empty for a synthetic test camera.
    std::string devicePath;
    int width = 640;
    int height = 480;
    // A test:WxH camera refuses every other size; a plain test camera opens at its own size
    // whatever is asked, as a device does that offers a single size.
    bool onlyThisSize = false;
    bool failsToOpen = false;
    // Frames delivered before the camera stops; negative for no limit.
    int frameLimit = -1;

    friend bool operator==(const CameraSource&, const CameraSource&) = default;
};

struct CameraListParse {
    std::vector<CameraSource> sources;
    // One message per entry that could not be understood; such an entry still takes its
    // position in the list, as a camera that cannot be opened.
    std::vector<std::string> errors;
};

CameraListParse ParseCameraList(const std::string& list);

// Replaces the device list of this process with the given list (for tools and tests); an empty
// optional returns to the environment and the devices. Forgets the last count.
void SetCameraListOverride(const std::optional<std::string>& list);

// The sources in their stable order: the override, else VISTREL_CAMERAS, else the V4L2 video
// capture nodes in ascending node number. Entries of a list that were not understood are
// described in `errors` when it is given.
std::vector<CameraSource> CurrentCameraSources(std::vector<std::string>* errors = nullptr);

// Counting remembers the list, so that camera i is opened as the camera that was counted at
// position i: a camera that goes away between counting and opening fails to open instead of
// shifting the others into its place.
std::vector<CameraSource> CountCameraSources(std::vector<std::string>* errors = nullptr);
// Source `index` of the last count (of the current list when nothing was counted yet).
std::optional<CameraSource> CountedCameraSource(int index);
