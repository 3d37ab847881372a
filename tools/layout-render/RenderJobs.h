// The pictures the layout renderer makes: which layout, at which client size, with which
// sample content filled in the way the program fills it.
#pragma once

#include "bkwin/BkDialogView.h"

#include <cstdint>
#include <string>
#include <vector>

struct RenderJob {
    std::string file;  // the picture's name in the output folder
    std::string layer; // the layer XML, sample content already in its markup
    SIZE client;       // the client size; 0 x 0 keeps the layer's own
    void (*fill)(CBkDialogView& view) = nullptr; // fills the created dialog; may be null
};

// The jobs for every shipped layout; empty when a layout resource cannot be read.
std::vector<RenderJob> ShippedLayoutJobs();
