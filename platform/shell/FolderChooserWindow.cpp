#include "platform/shell/FolderChooserWindow.h"

#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/Window.h"
#include "platform/draw/Gdi.h"
#include "platform/shell/FolderChooser.h"

#include <algorithm>
#include <cwctype>
#include <memory>

namespace {

const WString kClassName = L"VistrelFolderChooser";
constexpr int kWheelRows = 3;

struct CChooserCreation {
    WString prompt;
    int promptHeight = 0;
};

class CChooserWindow {
public:
    CChooserWindow(HWND hwnd, CFolderChooser& state) : m_hwnd(hwnd), m_s(state) {}

    void Relayout() {
        RECT client;
        GetClientRect(m_hwnd, &client);
        m_s.layout = LayoutFolderChooser(client, m_promptHeight, m_s.RowCount());
        ClampTopRow();
    }
    void SetPromptHeight(int height) { m_promptHeight = height; }

    void Navigate(const std::string& folder, const std::string& selectName) {
        m_s.folder = folder;
        m_s.listing = ListSubfolders(folder);
        m_s.selected = -1;
        m_s.topRow = 0;
        Relayout();
        const auto& names = m_s.listing.names;
        const auto it = std::find(names.begin(), names.end(), selectName);
        if (!selectName.empty() && it != names.end()) {
            Select(int(it - names.begin()) + (m_s.HasParentRow() ? 1 : 0));
        }
        InvalidateRect(m_hwnd, nullptr, false);
    }

    void Open(int row) {
        if (row < 0 || row >= m_s.RowCount()) {
            return;
        }
        if (m_s.IsParentRow(row)) {
            GoUp();
            return;
        }
        Navigate(m_s.RowFolder(row), {});
    }

    // Up one folder, with the folder just left selected.
    void GoUp() {
        if (!m_s.HasParentRow()) {
            return;
        }
        const std::string from = m_s.folder;
        Navigate(ParentFolder(from), from.substr(from.find_last_of('/') + 1));
    }

    void Select(int row) {
        const int rows = m_s.RowCount();
        if (rows == 0) {
            return;
        }
        m_s.selected = std::clamp(row, 0, rows - 1);
        const int visible = m_s.layout.visibleRows;
        if (m_s.selected < m_s.topRow) {
            m_s.topRow = m_s.selected;
        } else if (m_s.selected >= m_s.topRow + visible) {
            m_s.topRow = m_s.selected - visible + 1;
        }
        ClampTopRow();
        InvalidateRect(m_hwnd, nullptr, false);
    }

    void Scroll(int rows) {
        m_s.topRow += rows;
        ClampTopRow();
        InvalidateRect(m_hwnd, nullptr, false);
    }

    void End(bool ok) {
        m_s.ended = true;
        m_s.result = ok ? std::optional<std::string>(m_s.ChosenFolder()) : std::nullopt;
    }

    void OnKey(WPARAM key) {
        const int page = std::max(m_s.layout.visibleRows - 1, 1);
        switch (key) {
        case VK_UP:
            Select(m_s.selected < 0 ? 0 : m_s.selected - 1);
            break;
        case VK_DOWN:
            Select(m_s.selected + 1);
            break;
        case VK_PRIOR:
            Select(m_s.selected - page);
            break;
        case VK_NEXT:
            Select(std::max(m_s.selected, 0) + page);
            break;
        case VK_HOME:
            Select(0);
            break;
        case VK_END:
            Select(m_s.RowCount() - 1);
            break;
        case VK_RETURN:
            // Enter opens the selected folder; with none selected it is the OK button.
            if (m_s.selected >= 0) {
                Open(m_s.selected);
            } else {
                End(true);
            }
            break;
        case VK_BACK:
            GoUp();
            break;
        case VK_ESCAPE:
            End(false);
            break;
        default:
            break;
        }
    }

    // Typing a character selects the next folder whose name starts with it.
    void OnChar(wchar_t typed) {
        if (typed < L' ') {
            return;
        }
        const int rows = m_s.RowCount();
        const wint_t wanted = std::towlower(wint_t(typed));
        for (int step = 1; step <= rows; ++step) {
            const int row = (std::max(m_s.selected, 0) + step) % rows;
            const WString text = m_s.RowText(row);
            if (!m_s.IsParentRow(row) && !text.empty() &&
                std::towlower(wint_t(text[0])) == wanted) {
                Select(row);
                return;
            }
        }
    }

    ChooserButton ButtonAt(POINT p) const {
        const CChooserLayout& l = m_s.layout;
        return l.close.Contains(p)    ? ChooserButton::Close
               : l.ok.Contains(p)     ? ChooserButton::Ok
               : l.cancel.Contains(p) ? ChooserButton::Cancel
                                      : ChooserButton::None;
    }

    int RowAt(POINT p) const {
        const CChooserLayout& l = m_s.layout;
        if (!l.list.Contains(p) || l.scrollBar.Contains(p)) {
            return -1;
        }
        const int row = m_s.topRow + (p.y - l.list.top) / l.rowHeight;
        return row < m_s.RowCount() ? row : -1;
    }

    void OnMouseMove(POINT p) {
        if (!m_s.trackingLeave) {
            TRACKMOUSEEVENT track{TME_LEAVE, m_hwnd, 0};
            m_s.trackingLeave = TrackMouseEvent(&track);
        }
        SetHot(ButtonAt(p));
    }

    void OnMouseLeave() {
        m_s.trackingLeave = false;
        SetHot(ChooserButton::None);
    }

    void OnButtonDown(POINT p, bool doubleClick) {
        const CChooserLayout& l = m_s.layout;
        if (const ChooserButton button = ButtonAt(p); button != ChooserButton::None) {
            m_s.pressed = button;
            SetHot(button);
            SetCapture(m_hwnd);
            InvalidateRect(m_hwnd, nullptr, false);
        } else if (l.title.Contains(p)) {
            SendMessage(m_hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        } else if (l.scrollBar.Contains(p)) {
            // The track pages towards the click.
            const int rows = m_s.RowCount();
            const int thumbTop = l.scrollBar.top + l.scrollBar.Height() * m_s.topRow / rows;
            Scroll(p.y < thumbTop ? -l.visibleRows : l.visibleRows);
        } else if (const int row = RowAt(p); row >= 0) {
            if (doubleClick) {
                Open(row);
            } else {
                Select(row);
            }
        }
    }

    void OnButtonUp(POINT p) {
        const ChooserButton pressed = m_s.pressed;
        if (pressed == ChooserButton::None) {
            return;
        }
        m_s.pressed = ChooserButton::None;
        ReleaseCapture();
        InvalidateRect(m_hwnd, nullptr, false);
        if (ButtonAt(p) == pressed) {
            End(pressed == ChooserButton::Ok);
        }
    }

    void Paint() {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(m_hwnd, &ps)) {
            RECT client;
            GetClientRect(m_hwnd, &client);
            PaintFolderChooser(m_s, dc, client);
        }
        EndPaint(m_hwnd, &ps);
    }

private:
    void ClampTopRow() {
        const int last = std::max(m_s.RowCount() - m_s.layout.visibleRows, 0);
        m_s.topRow = std::clamp(m_s.topRow, 0, last);
    }

    void SetHot(ChooserButton button) {
        if (m_s.hot != button) {
            m_s.hot = button;
            InvalidateRect(m_hwnd, nullptr, false);
        }
    }

    HWND m_hwnd;
    CFolderChooser& m_s;
    int m_promptHeight = 0;
};

// The window keeps its state and the object that works on it together.
struct CChooserData {
    CFolderChooser state;
    CChooserWindow window;
    explicit CChooserData(HWND hwnd) : window(hwnd, state) {}
};

CChooserData* Data(HWND hwnd) {
    return reinterpret_cast<CChooserData*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT ChooserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        const auto* creation = static_cast<const CChooserCreation*>(cs->lpCreateParams);
        auto data = std::make_unique<CChooserData>(hwnd);
        data->state.prompt = creation->prompt;
        LOGFONT title;
        title.lfHeight = -13;
        title.lfWeight = FW_BOLD;
        data->state.titleFont.Reset(CreateFontIndirect(&title));
        data->window.SetPromptHeight(creation->promptHeight);
        // Owned by the window until WM_NCDESTROY.
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LPARAM>(data.release()));
        return 1;
    }
    CChooserData* data = Data(hwnd);
    if (!data) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    CChooserWindow& w = data->window;
    switch (msg) {
    case WM_SIZE:
        w.Relayout();
        return 0;
    case WM_PAINT:
        w.Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        w.OnKey(wParam);
        return 0;
    case WM_CHAR:
        w.OnChar(wchar_t(wParam));
        return 0;
    case WM_MOUSEMOVE:
        w.OnMouseMove(PointOf(lParam));
        return 0;
    case WM_MOUSELEAVE:
        w.OnMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        w.OnButtonDown(PointOf(lParam), msg == WM_LBUTTONDBLCLK);
        return 0;
    case WM_LBUTTONUP:
        w.OnButtonUp(PointOf(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        data->state.pressed = ChooserButton::None;
        InvalidateRect(hwnd, nullptr, false);
        return 0;
    case WM_MOUSEWHEEL:
        w.Scroll(-int(std::int16_t(HIWORD(wParam))) / 120 * kWheelRows);
        return 0;
    case WM_CLOSE:
        w.End(false);
        return 0;
    case WM_NCDESTROY: {
        const std::unique_ptr<CChooserData> owned(data);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void RegisterFolderChooserClass() {
    RegisterWindowClass(kClassName, ChooserProc, CS_DBLCLKS, IDC_ARROW);
}

HWND CreateFolderChooserWindow(HWND owner, const WString& prompt, const std::string& startFolder) {
    CChooserCreation creation{prompt, ChooserPromptHeight(prompt)};
    const SIZE size = FolderChooserSize(creation.promptHeight);
    HWND hwnd = CreateWindowEx(0, kClassName, ChooserTexts().title, WS_POPUP | WS_SYSMENU, 0, 0,
                               size.cx, size.cy, owner, 0, &creation);
    if (hwnd) {
        Data(hwnd)->window.Navigate(startFolder, {});
    }
    return hwnd;
}

bool FolderChooserEnded(HWND chooser) {
    const CChooserData* data = Data(chooser);
    return !data || data->state.ended;
}

std::optional<std::string> FolderChooserResult(HWND chooser) {
    const CChooserData* data = Data(chooser);
    return data ? data->state.result : std::nullopt;
}
