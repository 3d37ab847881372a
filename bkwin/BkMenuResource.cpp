#include "bkwin/BkMenuResource.h"

#include "bkwin/BkResource.h"
#include "bkwin/BkValueParsers.h"
#include "platform/base/Utf8.h"

#include <tinyxml.h>

#include <cstring>

namespace {

WString TextOf(const TiXmlElement& element) {
    const char* text = element.Attribute("text");
    return text ? Utf8ToWide(text) : WString();
}

HMENU LoadPopup(const TiXmlElement& popup) {
    HMENU menu = CreatePopupMenu();
    for (const TiXmlElement* e = popup.FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (std::strcmp(e->Value(), "item") == 0) {
            const char* id = e->Attribute("id");
            AppendMenu(menu, MF_STRING, UINT_PTR(id ? ParseInt(id) : 0), TextOf(*e));
        } else if (std::strcmp(e->Value(), "separator") == 0) {
            AppendMenu(menu, MF_SEPARATOR, 0, WString());
        }
    }
    return menu;
}

} // namespace

HMENU LoadSkinMenu(int id) {
    TiXmlDocument document;
    if (!LoadXmlResource(id, document, L"menu")) {
        return nullptr;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || std::strcmp(root->Value(), "menu") != 0) {
        return nullptr;
    }
    HMENU bar = CreateMenu();
    for (const TiXmlElement* p = root->FirstChildElement("popup"); p;
         p = p->NextSiblingElement("popup")) {
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(LoadPopup(*p)), TextOf(*p));
    }
    return bar;
}

bool TrackSkinMenu(int id, UINT flags, POINT at, HWND owner) {
    const HMENU menu = LoadSkinMenu(id);
    if (!menu) {
        return false;
    }
    TrackPopupMenu(GetSubMenu(menu, 0), flags, at.x, at.y, 0, owner, nullptr);
    DestroyMenu(menu);
    return true;
}
