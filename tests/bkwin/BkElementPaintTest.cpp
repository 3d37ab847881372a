// Painting elements: only what meets the invalid region, backgrounds, text in the style's
// colours and fonts on a small surface, and the repaint requests sent to the host window.
#include "BkTestElements.h"
#include "BkTestSurface.h"

#include "bkwin/BkInvalidateNotify.h"
#include "platform/core/Input.h"
#include "platform/core/Window.h"
#include "tests/support/WindowOwner.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Whether any pixel of the area has exactly the colour.
bool AnyPixel(const CBkTestSurface& surface, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (surface.At(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

// Whether every pixel of the area has the colour.
bool AllPixels(const CBkTestSurface& surface, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (surface.At(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

// Text elements drawing "■■" (full blocks paint solid pixels in the text colour).
CTestLeaf* AddText(CBkContainerWnd& parent, const RECT& rect) {
    auto* text = static_cast<CTestLeaf*>(parent.AppendChild(std::make_unique<CTestLeaf>()));
    text->rect = rect;
    text->text = L"\u2588\u2588\u2588";
    text->style.textmode = DT_SINGLELINE | DT_LEFT | DT_TOP;
    return text;
}

} // namespace

TEST(BkElementPaintTest, OnlyElementsMeetingTheRegionArePainted) {
    CBkTestSurface surface(100, 100, kWhite);
    CBkDialog root;
    root.rect = {0, 0, 100, 100};
    CBkDialog* topLeft = AddDialog(root, "");
    topLeft->rect = {0, 0, 50, 50};
    topLeft->style.crbg = kRed;
    CBkDialog* bottomRight = AddDialog(root, "");
    bottomRight->rect = {50, 50, 100, 100};
    bottomRight->style.crbg = kBlue;
    CBkDialog* hidden = AddDialog(root, "");
    hidden->rect = {0, 50, 50, 100};
    hidden->style.crbg = kGreen;
    hidden->state |= STATE_HIDDEN;

    CGdiHandle<HRGN> region(CreateRectRgn(60, 60, 70, 70));
    EXPECT_TRUE(root.PaintRegion(surface.Dc(), region));
    EXPECT_TRUE(AllPixels(surface, {0, 0, 50, 50}, kWhite));
    // The element is painted whole; clipping to the region is the host's.
    EXPECT_TRUE(AllPixels(surface, {50, 50, 100, 100}, kBlue));
    EXPECT_TRUE(AllPixels(surface, {0, 50, 50, 100}, kWhite));

    // A region the root does not meet paints nothing, children included.
    CGdiHandle<HRGN> outside(CreateRectRgn(200, 200, 210, 210));
    EXPECT_FALSE(root.PaintRegion(surface.Dc(), outside));
    // No region paints every visible element.
    EXPECT_TRUE(root.PaintRegion(surface.Dc(), nullptr));
    EXPECT_TRUE(AllPixels(surface, {0, 0, 50, 50}, kRed));
    EXPECT_TRUE(AllPixels(surface, {0, 50, 50, 100}, kWhite));

    // Hovering switches to the hover background.
    topLeft->style.crbghover = kGreen;
    topLeft->state |= STATE_HOVER;
    root.PaintRegion(surface.Dc(), nullptr);
    EXPECT_TRUE(AllPixels(surface, {0, 0, 50, 50}, kGreen));
}

TEST(BkElementPaintTest, TextIsDrawnInTheStyleColoursInsideTheMargins) {
    CBkTestSurface surface(80, 20, kWhite);
    CBkDialog root;
    root.rect = {0, 0, 80, 20};
    root.style.crtext = kBlue; // inherited through the device context
    CTestLeaf* text = AddText(root, {0, 0, 80, 20});
    text->style.xMargin = 10;
    text->style.yMargin = 2;

    const COLORREF before = GetTextColor(surface.Dc());
    root.PaintRegion(surface.Dc(), nullptr);
    EXPECT_EQ(GetTextColor(surface.Dc()), before); // every change is restored
    EXPECT_TRUE(AnyPixel(surface, {10, 2, 70, 18}, kBlue));
    EXPECT_TRUE(AllPixels(surface, {0, 0, 10, 20}, kWhite));
    EXPECT_TRUE(AllPixels(surface, {0, 0, 80, 2}, kWhite));

    struct {
        const char* name;
        std::uint32_t ownState;
        std::uint32_t parentState;
        COLORREF expected;
    } const cases[] = {
        {"own colour", 0, 0, kRed},
        {"hover colour", STATE_HOVER, 0, kGreen},
        {"disabled by the parent", STATE_HOVER, STATE_DISABLED, RGB(0x11, 0x22, 0x33)},
    };
    text->style.crtext = kRed;
    text->style.crhover = kGreen;
    text->style.crdisabled = RGB(0x11, 0x22, 0x33);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CBkTestSurface fresh(80, 20, kWhite);
        text->state = c.ownState;
        root.state = c.parentState;
        root.PaintRegion(fresh.Dc(), nullptr);
        EXPECT_TRUE(AnyPixel(fresh, {10, 2, 70, 18}, c.expected));
        EXPECT_FALSE(AnyPixel(fresh, {0, 0, 80, 20}, kBlue));
    }
}

TEST(BkElementPaintTest, CursorComesFromTheStyle) {
    CTestLeaf element;
    element.style.cursor = IDC_HAND;
    element.ApplyCursor();
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_HAND));
    element.style.cursor = IDC_ARROW;
    element.ApplyCursor();
    EXPECT_EQ(GetCursor(), LoadCursor(IDC_ARROW));
}

TEST(BkElementPaintTest, RepaintRequestsGoToTheHostWhileVisible) {
    static std::vector<BkInvalidateNotify> received;
    received.clear();
    ASSERT_TRUE(RegisterWindowClass(
        L"BkElementPaintTestHost",
        [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (msg == WM_NOTIFY) {
                const auto* record = reinterpret_cast<const BkInvalidateNotify*>(lParam);
                EXPECT_EQ(wParam, record->hdr.idFrom);
                received.push_back(*record);
                return 0;
            }
            return DefWindowProc(hwnd, msg, wParam, lParam);
        },
        0, IDC_ARROW));
    CWindowOwner host(CreateWindowEx(0, L"BkElementPaintTestHost", L"", WS_POPUP, 0, 0, 100, 100,
                                     nullptr, 0, nullptr));
    ASSERT_NE(host, nullptr);

    CBkDialog root;
    root.SetHostWindow(host);
    CTestLeaf* text = AddText(root, {5, 6, 25, 26});
    text->id = 42;
    EXPECT_EQ(text->hostWindow, host);

    // A look that does not depend on the state asks for nothing.
    text->ModifyState(STATE_HOVER, 0);
    EXPECT_TRUE(received.empty());
    text->style.crhover = kGreen;
    EXPECT_TRUE(text->RepaintsOnStateChange());
    text->ModifyState(0, STATE_HOVER);
    EXPECT_EQ(text->state, 0u);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].hdr.code, NOTIFY_INVALIDATE);
    EXPECT_EQ(received[0].hdr.hwndFrom, nullptr);
    EXPECT_EQ(received[0].hdr.idFrom, 42u);
    EXPECT_EQ(received[0].handle, text->handle);
    EXPECT_EQ(received[0].rect, (RECT{5, 6, 25, 26}));

    // A host given later reaches every element of the tree.
    root.SetHostWindow(nullptr);
    EXPECT_EQ(text->hostWindow, nullptr);
    root.SetHostWindow(host);
    EXPECT_EQ(text->hostWindow, host);

    // Hidden (by an ancestor) or without a live host window: no request.
    root.state |= STATE_HIDDEN;
    text->NotifyInvalidateRect(text->rect);
    root.state = 0;
    DestroyWindow(host);
    text->NotifyInvalidateRect(text->rect);
    EXPECT_EQ(received.size(), 1u);
    UnregisterClass(L"BkElementPaintTestHost");
}
