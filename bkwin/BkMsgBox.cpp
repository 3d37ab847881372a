#include "bkwin/BkMsgBox.h"

#include "bkwin/BkMarkupText.h"

#include "bkwin/BkElementNotify.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"
#include "platform/base/Utf8.h"
#include "platform/core/Input.h"
#include "platform/core/Window.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kTitleText = 60004;
constexpr std::int32_t kIcon = 60005;
constexpr std::int32_t kPlainText = 60006;
constexpr std::int32_t kCheckBox = 60007;
constexpr std::int32_t kButtonGroup = 60008;
constexpr std::int32_t kMarkupPanel = 60016;

constexpr std::int32_t kMarkupLayout = 106;
constexpr std::int32_t kButtonTemplate = 17; // id, left, right, caption
constexpr std::int32_t kGroupTemplate = 26;  // half width, half width, buttons
constexpr UINT kNoStandardButtons = 0x80000000u;
constexpr std::int32_t kProgramIcon = 100;

constexpr int kButtonGap = 20;
constexpr int kMinButtonWidth = 80;
constexpr int kLineHeight = 18;
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 130;

struct StandardButton {
    std::int32_t stringId;
    std::int32_t result;
};
const StandardButton kOk{18, IDOK};
const StandardButton kCancel{19, IDCANCEL};
const StandardButton kAbort{20, IDABORT};
const StandardButton kRetry{21, IDRETRY};
const StandardButton kIgnore{22, IDIGNORE};
const StandardButton kYes{23, IDYES};
const StandardButton kNo{24, IDNO};
const StandardButton kContinue{25, IDCONTINUE};

// By the low four bits of the flags; 7 to 15 have none.
const std::vector<StandardButton> kButtonSets[] = {
    {kOk},       {kOk, kCancel},    {kAbort, kRetry, kIgnore},    {kYes, kNo, kCancel},
    {kYes, kNo}, {kRetry, kCancel}, {kCancel, kRetry, kContinue},
};

WString Number(int value) {
    return std::to_wstring(value);
}

// The rectangle DrawText would fill with the text in the style's font (the default font when
// the style has none), measured inside `box`.
RECT MeasureText(const BkStyle& style, const WString& text, RECT box, UINT format) {
    CMemoryDC dc;
    SelectObject(dc, style.font ? style.font : BkFontPool::Instance().GetFont(0));
    DrawText(dc, text, &box, format | DT_CALCRECT);
    return box;
}

} // namespace

CBkSafeMsgBox::CBkSafeMsgBox() : CBkDialogImpl<CBkSafeMsgBox>(0) {}

bool CBkSafeMsgBox::LoadBoxLayout(std::int32_t layout) {
    std::string xml;
    if (!LoadSkinResource(layout, L"xml", xml) || !LoadLayer(xml)) {
        return false;
    }
    m_caption.clear();
    m_showCheck = false;
    m_checkState = 0;
    return true;
}

std::int32_t CBkSafeMsgBox::ShowMsgBox(const WString& text, const WString* caption, UINT flags,
                                       int* checkState, HWND owner) {
    if (!LoadBoxLayout(boxLayoutId)) {
        return -1;
    }
    m_useMessageRect = false;
    m_text = text;
    m_flags = flags;
    view.ShowElement(kMarkupPanel, false);
    view.ShowElement(kPlainText, true);
    view.SetElementText(kPlainText, text);
    SetCaption(caption);
    BuildFooter(checkState != nullptr);
    return Finish(true, checkState, owner);
}

std::int32_t CBkSafeMsgBox::ShowMarkupMsgBox(const WString& markup, const RECT* messageRect,
                                             const WString* caption, UINT flags, int* checkState,
                                             HWND owner) {
    if (!messageRect || !LoadBoxLayout(kMarkupLayout)) {
        return -1;
    }
    m_useMessageRect = true;
    m_messageRect = *messageRect;
    m_text = markup;
    m_flags = flags;
    view.ShowElement(kMarkupPanel, true);
    view.ShowElement(kPlainText, false);
    if (!view.LoadElementChildren(kMarkupPanel, WideToUtf8(markup))) {
        return -1;
    }
    SetCaption(caption);
    BuildFooter(checkState != nullptr);
    return Finish(modal, checkState, owner);
}

std::int32_t CBkSafeMsgBox::ShowLinesMsgBox(const WString& text, UINT flags, int* checkState,
                                            HWND owner) {
    std::vector<WString> lines;
    const WString all = text + L"\n";
    for (std::size_t start = 0, end; (end = all.find(L'\n', start)) != WString::npos;
         start = end + 1) {
        if (end > start) {
            lines.push_back(all.substr(start, end - start));
        }
    }
    if (lines.empty()) {
        return -1;
    }
    const BkStyle& style = BkStylePool::Instance().Get("msgtext");
    WString markup;
    LONG widest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int top = lines.size() == 1 ? 10 : int(i) * kLineHeight;
        markup += L"<text pos=\"0," + Number(top) + L"\">" + EscapeMarkup(lines[i]) + L"</text>";
        widest = std::max(widest,
                          MeasureText(style, lines[i], {0, 0, 1000, 1000}, style.textmode).Width());
    }
    const RECT area{0, 0, widest + 10, LONG(lines.size()) * kLineHeight};
    return ShowMarkupMsgBox(markup, &area, nullptr, flags, checkState, owner);
}

void CBkSafeMsgBox::SetCaption(const WString* caption) {
    if (!caption) {
        return;
    }
    m_caption = *caption;
    if (IsWindow(Window())) {
        SetWindowText(Window(), m_caption);
    }
    view.SetElementText(kTitleText, m_caption);
}

void CBkSafeMsgBox::AddButton(const WString& caption, std::int32_t id, int width) {
    if (width == 0) {
        const BkStyle& style = BkStylePool::Instance().Get("normalbtn");
        width =
            std::max(int(MeasureText(style, caption, {0, 0, 1000, 1000}, style.textmode).Width()) +
                         2 * style.xMargin,
                     kMinButtonWidth);
    }
    m_buttons.push_back({caption, id, width});
}

void CBkSafeMsgBox::AddStandardButtons() {
    if (m_flags & kNoStandardButtons) {
        return;
    }
    m_buttons.clear();
    const UINT set = m_flags & MB_TYPEMASK;
    if (set < std::size(kButtonSets)) {
        for (const StandardButton& button : kButtonSets[set]) {
            AddButton(BkString::Instance().Text(button.stringId), button.result, 0);
        }
    }
}

void CBkSafeMsgBox::BuildFooter(bool withCheck) {
    AddStandardButtons();
    int total = 0;
    for (const CButton& button : m_buttons) {
        total += (total ? kButtonGap : 0) + button.width;
    }
    const WString buttonTemplate = BkString::Instance().Text(kButtonTemplate);
    WString markup;
    int left = 0;
    for (const CButton& button : m_buttons) {
        markup += FillStringTemplate(buttonTemplate,
                                     {Number(button.id), Number(left), Number(left + button.width),
                                      EscapeMarkup(button.caption)});
        left += button.width + kButtonGap;
    }
    const WString group = FillStringTemplate(BkString::Instance().Text(kGroupTemplate),
                                             {Number(total / 2), Number(total / 2), markup});
    view.LoadElementChildren(kButtonGroup, WideToUtf8(group));

    SetIcon();
    if (withCheck) {
        m_showCheck = true;
    } else {
        view.ShowElement(kCheckBox, false);
    }
}

void CBkSafeMsgBox::SetIcon() {
    const UINT icon = m_flags & MB_ICONMASK;
    if (icon == 0) {
        view.ShowElement(kIcon, false);
    } else if (icon <= MB_ICONASTERISK) {
        // The system icons 32513 to 32516 (error, question, warning, information).
        view.SetElementAttribute(kIcon, "src", std::to_string(32512 + icon / 0x10));
    } else {
        view.SetElementAttribute(kIcon, "src", std::to_string(kProgramIcon));
        view.SetElementAttribute(kIcon, "oem", "0");
    }
}

std::int32_t CBkSafeMsgBox::Finish(bool runModal, int* checkState, HWND owner) {
    const std::int32_t result = runModal ? RunModal(owner) : 0;
    if (checkState) {
        *checkState = m_checkState;
    }
    return result;
}

void CBkSafeMsgBox::EndMsgBox(std::int32_t id) {
    EndModal(id);
    if (!modal && IsWindow(Window())) {
        ShowWindow(Window(), SW_HIDE);
    }
}

bool CBkSafeMsgBox::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         LRESULT& result) {
    if (msg == WM_INITDIALOG) {
        FitToMessage(hwnd);
    } else if (msg == WM_NOTIFY && wParam == VIEW_CTRL_ID) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == VIEW_CTRL_ID && header->code == NOTIFY_ELEMENT_CLICK) {
            const auto* click = reinterpret_cast<const ElementNotify*>(lParam);
            OnClick(click->itemId, click->itemTag);
            result = 0;
            return true;
        }
    }
    return ProcessDialogMessage(hwnd, msg, wParam, lParam, result) ||
           ProcessRoundRectMessage(hwnd, msg, wParam, lParam, result);
}

void CBkSafeMsgBox::OnClick(std::uint32_t itemId, const char* tag) {
    // The keyboard's Enter and Esc and closing carry no tag: they neither end the box nor
    // change its result.
    const std::string_view name = tag ? tag : "";
    if (name == "button" || name == "imgbtn") {
        EndMsgBox(std::int32_t(itemId));
    } else if (itemId == std::uint32_t(kCheckBox)) {
        m_checkState = view.IsElementChecked(kCheckBox) ? 1 : 0;
    }
}

void CBkSafeMsgBox::FitToMessage(HWND hwnd) {
    RECT work;
    MONITORINFO monitor;
    if (GetMonitorInfo(hwnd, &monitor)) {
        work = monitor.rcWork;
    } else {
        GetClientRect(hwnd, &work);
    }
    if (m_caption.empty()) {
        m_caption = GetWindowText(hwnd);
    } else {
        SetWindowText(hwnd, m_caption);
    }
    const RECT workSize{0, 0, work.Width(), work.Height()};

    RECT title = MeasureText(BkStylePool::Instance().Get("dlgtitle"), m_caption, workSize, 0);
    title.right += 100;

    RECT message = m_messageRect;
    if (!m_useMessageRect) {
        const BkStyle& style = BkStylePool::Instance().Get("msgtext");
        message = MeasureText(style, m_text, workSize, style.textmode);
    }
    message.right += 100;
    message.bottom += 120 + (m_showCheck ? 20 : 0);

    const int width = std::max({int(title.right), int(message.right), kMinWidth});
    const int height = std::max(int(message.bottom), kMinHeight);
    SetWindowPos(hwnd, nullptr, work.left, work.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

std::int32_t MsgBox(const WString& text, const WString* caption, UINT flags, int* checkState,
                    HWND owner) {
    CBkSafeMsgBox box;
    return box.ShowMsgBox(text, caption, flags, checkState, owner);
}

std::int32_t MsgBoxLines(const WString& text, UINT flags, int* checkState, HWND owner) {
    CBkSafeMsgBox2 box;
    return box.ShowLinesMsgBox(text, flags, checkState, owner);
}
