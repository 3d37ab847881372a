// The root element "layer" of a dialog layout: the window's title, size and styles.
#pragma once

#include "platform/base/Types.h"

class TiXmlElement;

struct BkLayerAttributes {
    WString title;
    std::int32_t width = 0;  // client width after initialisation (0 = not given)
    std::int32_t height = 0; // client height after initialisation (0 = not given)
    DWORD windowStyle = 0;
    DWORD windowExStyle = 0;
    bool canMaximize = false; // double-clicking the header maximises or restores
};

// Reads title, width, height, appwin, resize, nomaxsize, noborder and child; all but the title
// are decimal numbers, absent ones 0.
BkLayerAttributes ReadLayerAttributes(const TiXmlElement& layer);
