// The folder chooser dialog's state and geometry, shared by its window procedure and its
// painting.
#pragma once

#include "platform/base/Types.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/GdiObject.h"
#include "platform/shell/FolderListing.h"

#include <optional>
#include <string>

// How the prompt wraps.
constexpr UINT kPromptFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

enum class ChooserButton { None, Ok, Cancel, Close };

// Where each part of the dialog lies, in client coordinates.
struct CChooserLayout {
    RECT title;
    RECT close;
    RECT prompt;
    RECT path;
    RECT list;      // inside its one-pixel frame
    RECT scrollBar; // empty when every row fits
    RECT ok;
    RECT cancel;
    int rowHeight = 0;
    int visibleRows = 0;
};

struct CFolderChooser {
    WString prompt;
    std::string folder; // the folder whose contents are listed
    CFolderListing listing;
    int selected = -1; // a row, or -1 for none
    int topRow = 0;    // the first row shown
    ChooserButton hot = ChooserButton::None;
    ChooserButton pressed = ChooserButton::None;
    bool trackingLeave = false;
    bool ended = false;
    std::optional<std::string> result; // set when OK ends the dialog
    CGdiHandle<HFONT> titleFont;
    CChooserLayout layout;

    // Row 0 is ".." everywhere but in the root.
    bool HasParentRow() const { return folder != "/"; }
    int RowCount() const { return int(listing.names.size()) + (HasParentRow() ? 1 : 0); }
    bool IsParentRow(int row) const { return HasParentRow() && row == 0; }
    // The folder a row opens.
    std::string RowFolder(int row) const;
    // The folder's name as the row shows it.
    WString RowText(int row) const;
    // What OK answers: the selected folder, else (nothing or ".." selected) the current one.
    std::string ChosenFolder() const;
};

CChooserLayout LayoutFolderChooser(const RECT& client, int promptHeight, int rowCount);
// The height the prompt takes (wrapped; a long one is cut), and the dialog's size with it.
int ChooserPromptHeight(const WString& prompt);
SIZE FolderChooserSize(int promptHeight);

void PaintFolderChooser(const CFolderChooser& chooser, HDC dc, const RECT& client);

// The dialog's own texts, in the interface language of the user's locale.
struct CChooserTexts {
    WString title;
    WString ok;
    WString cancel;
    WString noFolders;
    WString unreadable;
};
const CChooserTexts& ChooserTexts();
