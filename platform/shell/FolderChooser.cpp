#include "platform/shell/FolderChooser.h"

#include "platform/base/Locale.h"
#include "platform/base/Utf8.h"
#include "platform/draw/Gdi.h"

#include <algorithm>

namespace {

constexpr int kWidth = 420;
constexpr int kTitleHeight = 30;
constexpr int kMargin = 14;
constexpr int kGap = 8;
constexpr int kPathHeight = 24;
constexpr int kRowHeight = 22;
constexpr int kListRows = 12;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;
constexpr int kScrollBarWidth = 10;
constexpr int kMaxPromptHeight = 80; // longer prompts are cut, ending in "..."

// Everything but the prompt and the list.
constexpr int kFixedHeight =
    1 + kTitleHeight + kMargin + kPathHeight + kGap + kMargin + kButtonHeight + kMargin + 1;

bool PrefersChinese() {
    return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE;
}

} // namespace

std::string CFolderChooser::RowFolder(int row) const {
    if (IsParentRow(row)) {
        return ParentFolder(folder);
    }
    const int index = row - (HasParentRow() ? 1 : 0);
    if (index < 0 || index >= int(listing.names.size())) {
        return folder;
    }
    return ChildFolder(folder, listing.names[size_t(index)]);
}

WString CFolderChooser::RowText(int row) const {
    if (IsParentRow(row)) {
        return L"..";
    }
    const int index = row - (HasParentRow() ? 1 : 0);
    return index >= 0 && index < int(listing.names.size())
               ? Utf8ToWide(listing.names[size_t(index)])
               : WString();
}

std::string CFolderChooser::ChosenFolder() const {
    return selected >= 0 && selected < RowCount() && !IsParentRow(selected) ? RowFolder(selected)
                                                                            : folder;
}

SIZE FolderChooserSize(int promptHeight) {
    const int prompt = promptHeight > 0 ? promptHeight + kGap : 0;
    return {kWidth, kFixedHeight + prompt + kListRows * kRowHeight + 2};
}

int ChooserPromptHeight(const WString& prompt) {
    if (prompt.empty()) {
        return 0;
    }
    CMemoryDC dc;
    SelectObject(dc, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    RECT r{0, 0, kWidth - 2 * kMargin, 0};
    DrawText(dc, prompt, &r, kPromptFormat | DT_CALCRECT);
    return std::min<int>(r.Height(), kMaxPromptHeight);
}

CChooserLayout LayoutFolderChooser(const RECT& client, int promptHeight, int rowCount) {
    CChooserLayout l;
    const LONG left = client.left + kMargin;
    const LONG right = client.right - kMargin;
    l.title = {client.left + 1, client.top + 1, client.right - 1, client.top + 1 + kTitleHeight};
    l.close = {l.title.right - kTitleHeight, l.title.top, l.title.right, l.title.bottom};
    LONG y = l.title.bottom + kMargin;
    l.prompt = {left, y, right, y + std::max(promptHeight, 0)};
    if (promptHeight > 0) {
        y = l.prompt.bottom + kGap;
    }
    l.path = {left, y, right, y + kPathHeight};
    y = l.path.bottom + kGap;
    const LONG buttonTop = client.bottom - 1 - kMargin - kButtonHeight;
    l.cancel = {right - kButtonWidth, buttonTop, right, buttonTop + kButtonHeight};
    l.ok = {l.cancel.left - kGap - kButtonWidth, buttonTop, l.cancel.left - kGap,
            buttonTop + kButtonHeight};
    // The list's frame goes around this rectangle.
    l.list = {left + 1, y + 1, right - 1, buttonTop - kMargin - 1};
    l.rowHeight = kRowHeight;
    l.visibleRows = std::max<int>(l.list.Height() / kRowHeight, 1);
    if (rowCount > l.visibleRows) {
        l.scrollBar = {l.list.right - kScrollBarWidth, l.list.top, l.list.right, l.list.bottom};
    }
    return l;
}

const CChooserTexts& ChooserTexts() {
    static const CChooserTexts texts =
        PrefersChinese() ? CChooserTexts{L"浏览文件夹", L"确定", L"取消", L"（没有文件夹）",
                                         L"（无法打开此文件夹）"}
                         : CChooserTexts{L"Browse For Folder", L"OK", L"Cancel", L"(no folders)",
                                         L"(this folder cannot be opened)"};
    return texts;
}
