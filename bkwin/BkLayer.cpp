#include "bkwin/BkLayer.h"

#include "bkwin/BkValueParsers.h"
#include "platform/base/Utf8.h"
#include "platform/base/WindowStyles.h"

#include <tinyxml.h>

namespace {

constexpr DWORD kBaseStyle = WS_POPUP | WS_SYSMENU;

std::int32_t Number(const TiXmlElement& layer, const char* name) {
    const char* value = layer.Attribute(name);
    return value ? ParseInt(value) : 0;
}

} // namespace

BkLayerAttributes ReadLayerAttributes(const TiXmlElement& layer) {
    BkLayerAttributes attributes;
    const char* title = layer.Attribute("title");
    attributes.title = title ? Utf8ToWide(title) : WString();
    attributes.width = Number(layer, "width");
    attributes.height = Number(layer, "height");

    DWORD style = kBaseStyle;
    DWORD exStyle = 0;
    if (Number(layer, "appwin") != 0) {
        exStyle |= WS_EX_APPWINDOW;
    }
    if (Number(layer, "resize") != 0) {
        style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
        attributes.canMaximize = true;
        if (Number(layer, "nomaxsize") != 0) {
            style &= ~WS_MAXIMIZEBOX;
            attributes.canMaximize = false;
        }
    }
    exStyle |= Number(layer, "noborder") != 0 ? WS_EX_TOOLWINDOW | WS_EX_TOPMOST
                                              : WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
    if (Number(layer, "child") != 0) {
        style = (style | WS_CHILD) & ~(WS_POPUP | WS_CAPTION);
        exStyle &= ~WS_EX_CLIENTEDGE;
    }
    attributes.windowStyle = style;
    attributes.windowExStyle = exStyle;
    return attributes;
}
