#include "platform/controls/Menu.h"

HMENU CreateMenu() {
    return new CMenu;
}
HMENU CreatePopupMenu() {
    return new CMenu;
}

bool AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, const WString& text) {
    if (!menu) {
        return false;
    }
    CMenuItem item;
    item.flags = flags;
    if (flags & MF_POPUP) {
        item.popup.reset(reinterpret_cast<HMENU>(idOrPopup));
    } else {
        item.id = idOrPopup;
    }
    item.text = text;
    menu->items.push_back(std::move(item));
    return true;
}

bool DestroyMenu(HMENU menu) {
    delete menu;
    return menu != nullptr;
}

int GetMenuItemCount(HMENU menu) {
    return menu ? int(menu->items.size()) : -1;
}

HMENU GetSubMenu(HMENU menu, int position) {
    if (!menu || position < 0 || position >= int(menu->items.size())) {
        return nullptr;
    }
    return menu->items[size_t(position)].popup.get();
}
