// The resources embedded into the program at build time. Every executable links exactly one
// resource module (made from folders of files by vistrel_resource_module in
// skins/CMakeLists.txt); that module defines ProgramResources.
#pragma once

#include <cstddef>
#include <span>

#include "platform/base/Types.h"

struct BkEmbeddedResource {
    const char* type; // the folder the file came from: "xml", "png", "bitmap", "icon", "menu"
    WORD id;
    const unsigned char* data;
    std::size_t size;
};

std::span<const BkEmbeddedResource> ProgramResources();
