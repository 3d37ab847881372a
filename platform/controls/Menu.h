// Menus: pop-ups of command items and separators, shown with TrackPopupMenu, which runs its
// own modal tracking and reports the chosen command to the owner window.
#pragma once

#include "platform/base/Types.h"

#include <memory>
#include <vector>

class CMenu;
using HMENU = CMenu*;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_RETURNCMD = 0x0100;

struct CMenuItem {
    UINT flags = MF_STRING;
    UINT_PTR id = 0;
    WString text;
    std::unique_ptr<CMenu> popup; // with MF_POPUP
};

class CMenu {
public:
    std::vector<CMenuItem> items;
};

// A menu bar (a holder of pop-ups, as menu resources are) and a pop-up are both menus.
HMENU CreateMenu();
HMENU CreatePopupMenu();
// With MF_POPUP, `idOrPopup` is the pop-up, which the menu then owns.
bool AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, const WString& text);
// Frees the menu and the pop-ups it owns. A pop-up owned by another menu is freed with it.
bool DestroyMenu(HMENU menu);
int GetMenuItemCount(HMENU menu);
HMENU GetSubMenu(HMENU menu, int position);

// Shows the pop-up at a screen point (aligned by the TPM_ flags, kept on the work area) and
// tracks it until an item is chosen, Esc is pressed or the user clicks elsewhere. The choice
// is posted to `owner` as WM_COMMAND, or answered with TPM_RETURNCMD. Answers 0 when
// nothing was chosen (nonzero without TPM_RETURNCMD when it was).
UINT_PTR TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                        const RECT* reserved2);
// Closes a menu that is being tracked (the tracking call answers 0).
void EndMenu();
