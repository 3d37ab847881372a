// Window classes, creation and destruction, relations and attributes.
#include "platform/core/Window.h"

#include "platform/core/Backend.h"
#include "platform/core/BuiltInClasses.h"
#include "platform/core/Input.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Paint.h"
#include "platform/core/PaintDC.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/WindowProcedure.h"
#include "platform/core/WindowTable.h"

#include <algorithm>
#include <cstring>

namespace {

CWindowTable& Table() {
    return CWindowTable::Instance();
}

// Every window of the tree under `hwnd` (itself first, then its children depth-first), with
// the lock held.
void CollectTree(CWindowTable& table, HWND hwnd, std::vector<HWND>& out) {
    CWindow* w = table.Find(hwnd);
    if (!w) {
        return;
    }
    out.push_back(hwnd);
    for (HWND child : w->children) {
        CollectTree(table, child, out);
    }
}

void SendDestroyMessages(HWND hwnd, UINT msg, bool childrenFirst) {
    std::vector<HWND> children;
    {
        std::lock_guard guard(Table().lock);
        if (CWindow* w = Table().Find(hwnd)) {
            children = w->children;
        }
    }
    if (!childrenFirst) {
        SendMessage(hwnd, msg, 0, 0);
    }
    for (HWND child : children) {
        SendDestroyMessages(child, msg, childrenFirst);
    }
    if (childrenFirst) {
        SendMessage(hwnd, msg, 0, 0);
    }
}

} // namespace

bool WindowBelongsTo(HWND hwnd, DWORD threadId) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    return w && w->threadId == threadId;
}

LRESULT InvokeWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc;
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w || !w->proc) {
            return 0;
        }
        proc = w->proc;
    }
    return proc(hwnd, msg, wParam, lParam);
}

bool RegisterClass(const WNDCLASS& wc) {
    if (wc.lpszClassName.empty() || !wc.lpfnWndProc) {
        return false;
    }
    std::lock_guard guard(Table().lock);
    return Table().classes.emplace(wc.lpszClassName, wc).second;
}

bool RegisterWindowClass(const WString& className, WNDPROC proc, UINT style, HCURSOR cursor) {
    WNDCLASS wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hCursor = cursor;
    wc.lpszClassName = className;
    return RegisterClass(wc);
}

bool GetClassInfo(const WString& className, WNDCLASS* wc) {
    RegisterBuiltInClasses();
    std::lock_guard guard(Table().lock);
    auto it = Table().classes.find(className);
    if (it == Table().classes.end()) {
        return false;
    }
    *wc = it->second;
    return true;
}

bool UnregisterClass(const WString& className) {
    std::lock_guard guard(Table().lock);
    return Table().classes.erase(className) > 0;
}

HWND CreateWindowEx(DWORD exStyle, const WString& className, const WString& title, DWORD style,
                    int x, int y, int width, int height, HWND parent, UINT_PTR menuOrId,
                    void* createParam) {
    RegisterBuiltInClasses();
    HWND hwnd;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        auto cls = table.classes.find(className);
        if (cls == table.classes.end()) {
            return nullptr;
        }
        const bool child = (style & WS_CHILD) != 0;
        CWindow* parentWindow = parent ? table.Find(parent) : nullptr;
        if (parent && !parentWindow) {
            return nullptr;
        }
        if (child && !parentWindow) {
            return nullptr;
        }
        auto w = std::make_unique<CWindow>();
        hwnd = table.NewHandle();
        w->hwnd = hwnd;
        w->className = className;
        w->classStyle = cls->second.style;
        w->classCursor = cls->second.hCursor;
        w->proc = cls->second.lpfnWndProc;
        w->threadId = GetCurrentThreadId();
        // The window is shown after creation, so WM_SHOWWINDOW and the backend see it appear.
        w->style = style & ~WS_VISIBLE;
        w->exStyle = exStyle;
        w->title = title;
        w->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
        w->restoreRect = w->rect;
        if (child) {
            w->parent = parent;
            w->id = menuOrId;
            parentWindow->children.push_back(hwnd); // new children go to the bottom
        } else {
            // A top-level's owner is always a top-level window.
            w->owner = parent ? table.Root(parent) : nullptr;
            auto& tops = table.topLevels;
            auto firstNormal = std::find_if(tops.begin(), tops.end(), [&](HWND h) {
                CWindow* t = table.Find(h);
                return t && !(t->exStyle & WS_EX_TOPMOST);
            });
            tops.insert((exStyle & WS_EX_TOPMOST) ? tops.begin() : firstNormal, hwnd);
        }
        table.windows.emplace(hwnd, std::move(w));
    }
    if (!(style & WS_CHILD)) {
        Backend().TopLevelCreated(hwnd);
    }

    CREATESTRUCT cs;
    cs.lpCreateParams = createParam;
    cs.hMenu = menuOrId;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = style;
    cs.dwExStyle = exStyle;
    cs.lpszName = title.c_str();
    cs.lpszClass = className.c_str();
    const LPARAM csParam = reinterpret_cast<LPARAM>(&cs);
    if (!SendMessage(hwnd, WM_NCCREATE, 0, csParam)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    NCCALCSIZE_PARAMS ncp;
    GetWindowRect(hwnd, &ncp.rgrc[0]);
    SendMessage(hwnd, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&ncp));
    if (SendMessage(hwnd, WM_CREATE, 0, csParam) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
    if (style & WS_VISIBLE) {
        ShowWindow(hwnd, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    return hwnd;
}

bool DestroyWindow(HWND hwnd) {
    std::vector<HWND> owned;
    std::vector<HWND> tree;
    bool topLevel;
    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        CWindow* w = table.Find(hwnd);
        if (!w || w->destroying || hwnd == table.desktop) {
            return false;
        }
        if (w->threadId != GetCurrentThreadId()) {
            return false; // only the owning thread destroys a window
        }
        w->destroying = true;
        topLevel = !w->IsChild();
        for (auto& [h, other] : table.windows) {
            if (other->owner == hwnd && !other->zombie) {
                owned.push_back(h);
            }
        }
    }
    for (HWND o : owned) {
        DestroyWindow(o);
    }
    if (IsWindowVisible(hwnd)) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    {
        std::lock_guard guard(Table().lock);
        CollectTree(Table(), hwnd, tree);
    }
    // Focus and capture leave the dying windows before they hear of their end.
    const HWND focus = GetFocus();
    if (std::find(tree.begin(), tree.end(), focus) != tree.end()) {
        SetFocus(nullptr);
    }
    if (std::find(tree.begin(), tree.end(), GetCapture()) != tree.end()) {
        ReleaseCapture();
    }

    SendDestroyMessages(hwnd, WM_DESTROY, false);
    SendDestroyMessages(hwnd, WM_NCDESTROY, true);

    {
        std::lock_guard guard(Table().lock);
        auto& table = Table();
        tree.clear();
        CollectTree(table, hwnd, tree);
        CWindow* w = table.Find(hwnd);
        if (w && w->IsChild()) {
            if (CWindow* p = table.Find(w->parent)) {
                std::erase(p->children, hwnd);
            }
        }
        std::erase(table.topLevels, hwnd);
        for (HWND h : tree) {
            table.windows.erase(h);
            for (HWND* state : {&table.focus, &table.capture, &table.active, &table.tracked}) {
                if (*state == h) {
                    *state = nullptr;
                }
            }
        }
    }
    CThreadQueue& queue = CThreadQueue::Current();
    for (HWND h : tree) {
        queue.RemoveMessagesFor(h);
        queue.FailSendsTo(h);
    }
    if (topLevel) {
        Backend().TopLevelDestroyed(hwnd);
        ForgetWindowSurface(hwnd);
    }
    return true;
}

bool IsWindow(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    return Table().Find(hwnd) != nullptr;
}

HWND FindWindow(const WString& className, const WString* title) {
    std::lock_guard guard(Table().lock);
    for (HWND h : Table().topLevels) {
        CWindow* w = Table().Find(h);
        if (w && w->className == className && (!title || w->title == *title)) {
            return h;
        }
    }
    return nullptr;
}

HWND GetDesktopWindow() {
    std::lock_guard guard(Table().lock);
    return Table().desktop;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

HWND GetParent(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return nullptr;
    }
    return w->IsChild() ? w->parent : w->owner;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return nullptr;
    }
    if (flags == GA_PARENT) {
        return w->IsChild() ? w->parent : Table().desktop;
    }
    return Table().Root(hwnd);
}

HWND GetWindow(HWND hwnd, UINT relation) {
    std::lock_guard guard(Table().lock);
    auto& table = Table();
    CWindow* w = table.Find(hwnd);
    if (!w) {
        return nullptr;
    }
    if (relation == GW_OWNER) {
        return w->owner;
    }
    if (relation == GW_CHILD) {
        return w->children.empty() ? nullptr : w->children.front();
    }
    const std::vector<HWND>* siblings = &table.topLevels;
    if (w->IsChild()) {
        CWindow* p = table.Find(w->parent);
        if (!p) {
            return nullptr;
        }
        siblings = &p->children;
    }
    auto it = std::find(siblings->begin(), siblings->end(), hwnd);
    if (it == siblings->end()) {
        return nullptr;
    }
    if (relation == GW_HWNDNEXT) {
        return std::next(it) == siblings->end() ? nullptr : *std::next(it);
    }
    if (relation == GW_HWNDPREV) {
        return it == siblings->begin() ? nullptr : *std::prev(it);
    }
    return nullptr;
}

HWND GetDlgItem(HWND parent, int id) {
    std::lock_guard guard(Table().lock);
    CWindow* p = Table().Find(parent);
    if (!p) {
        return nullptr;
    }
    for (HWND child : p->children) {
        CWindow* c = Table().Find(child);
        if (c && c->id == UINT_PTR(id)) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    return w && w->IsChild() ? int(w->id) : 0;
}

bool IsChild(HWND parent, HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    while (w && w->IsChild()) {
        if (w->parent == parent) {
            return true;
        }
        w = Table().Find(w->parent);
    }
    return false;
}

DWORD GetWindowThreadId(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    return w ? w->threadId : 0;
}

WString GetClassName(HWND hwnd) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    return w ? w->className : WString();
}

LPARAM GetWindowLongPtr(HWND hwnd, int index) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return 0;
    }
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LPARAM>(w->proc);
    case GWLP_ID:
        return LPARAM(w->id);
    case GWL_STYLE:
        return LPARAM(w->style);
    case GWL_EXSTYLE:
        return LPARAM(w->exStyle);
    case GWLP_USERDATA:
        return w->userData;
    default:
        return 0;
    }
}

LPARAM SetWindowLongPtr(HWND hwnd, int index, LPARAM value) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return 0;
    }
    LPARAM old = 0;
    switch (index) {
    case GWLP_WNDPROC:
        old = reinterpret_cast<LPARAM>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_ID:
        old = LPARAM(w->id);
        w->id = UINT_PTR(value);
        break;
    case GWL_STYLE:
        old = LPARAM(w->style);
        w->style = DWORD(value);
        break;
    case GWL_EXSTYLE:
        old = LPARAM(w->exStyle);
        w->exStyle = DWORD(value);
        break;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        break;
    default:
        break;
    }
    return old;
}

bool SetProp(HWND hwnd, const WString& name, void* value) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return false;
    }
    w->props[name] = value;
    return true;
}

void* GetProp(HWND hwnd, const WString& name) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return nullptr;
    }
    auto it = w->props.find(name);
    return it == w->props.end() ? nullptr : it->second;
}

void* RemoveProp(HWND hwnd, const WString& name) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return nullptr;
    }
    auto it = w->props.find(name);
    if (it == w->props.end()) {
        return nullptr;
    }
    void* value = it->second;
    w->props.erase(it);
    return value;
}

bool SetWindowText(HWND hwnd, const WString& text) {
    return IsWindow(hwnd) &&
           SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

WString GetWindowText(HWND hwnd) {
    const LRESULT length = SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    WString text(size_t(length) + 1, L'\0');
    const LRESULT copied =
        SendMessage(hwnd, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

LRESULT StoreWindowTitle(HWND hwnd, const wchar_t* text) {
    bool topLevel;
    WString title = text ? WString(text) : WString();
    {
        std::lock_guard guard(Table().lock);
        CWindow* w = Table().Find(hwnd);
        if (!w) {
            return 0;
        }
        w->title = title;
        topLevel = !w->IsChild();
    }
    if (topLevel) {
        Backend().TopLevelTitleChanged(hwnd, title);
    }
    return 1;
}

LRESULT CopyWindowTitle(HWND hwnd, WPARAM capacity, wchar_t* buffer, bool lengthOnly) {
    std::lock_guard guard(Table().lock);
    CWindow* w = Table().Find(hwnd);
    if (!w) {
        return 0;
    }
    if (lengthOnly) {
        return LRESULT(w->title.size());
    }
    if (capacity == 0 || !buffer) {
        return 0;
    }
    const size_t n = std::min<size_t>(w->title.size(), capacity - 1);
    std::memcpy(buffer, w->title.data(), n * sizeof(wchar_t));
    buffer[n] = L'\0';
    return LRESULT(n);
}
