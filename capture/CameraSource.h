// Where the cameras come from: the V4L2 capture devices of the machine, or, when the
// environment variable VISTREL_CAMERAS (or the process-wide override) is set, the sources it
// lists, separated by ";":
//   test                  a synthetic 640 x 480 camera at 25 frames per second
//   test:WxH              a synthetic camera that gives only W x H and refuses other sizes
//   test:fail             a camera that cannot be opened
//   test:frames=N         stops delivering after N frames, as an unplugged camera does
//                         (0: opens but never delivers)
//   emulated              an emulated UVC webcam (640 x 480 and smaller sizes, BGR24 and
//                         MJPEG, 30 frames per second) driven through the V4L2 camera code
//   emulated:bus=N        one on USB bus N, whose bandwidth it shares with the other emulated
//                         cameras on bus N (without: a bus of its own)
//   emulated:unplug=N     one that is unplugged after N frames
//   emulated:stall=N      one that sends nothing more after N frames (each grab then waits
//                         two seconds for nothing), and streams again when opened anew
//   /dev/videoN           that device
// Options may combine, separated by ",": test:320x240,frames=100 or emulated:bus=1,unplug=90.
#pragma once

#include "capture/EmulatedUvcProfile.h"
#include "capture/V4l2Api.h"

#include <optional>
#include <string>
#include <vector>

struct CameraSource {
    // The V4L2 device node; empty for a synthetic test camera; the list entry for an emulated
    // webcam.
    std::string devicePath;
    int width = 640;
    int height = 480;
    // A test:WxH camera refuses every other size; a plain test camera opens at its own size
    // whatever is asked, as a device does that offers a single size.
    bool onlyThisSize = false;
    bool failsToOpen = false;
    // Frames delivered before the camera stops; negative for no limit.
    int frameLimit = -1;
    // An emulated webcam, and the emulated USB bus it shares (negative: a bus of its own).
    std::optional<EmulatedUvcProfile> emulated;
    int usbBus = -1;

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

// The video capture nodes among the "videoN" entries of `folder`, in ascending N, through the
// device calls of `api`. Nodes that are not capture devices (such as the metadata node of a UVC
// camera) or that cannot be opened are left out.
std::vector<CameraSource> CaptureDeviceSources(IV4l2Api& api, const std::string& folder);

// The sources in their stable order: the override, else VISTREL_CAMERAS, else the V4L2 video
// capture nodes of /dev. Entries of a list that were not understood are
// described in `errors` when it is given.
std::vector<CameraSource> CurrentCameraSources(std::vector<std::string>* errors = nullptr);

// Counting remembers the list, so that camera i is opened as the camera that was counted at
// position i: a camera that goes away between counting and opening fails to open instead of
// shifting the others into its place.
std::vector<CameraSource> CountCameraSources(std::vector<std::string>* errors = nullptr);
// Source `index` of the last count (of the current list when nothing was counted yet).
std::optional<CameraSource> CountedCameraSource(int index);
