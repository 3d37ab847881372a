// Device contexts: a drawing target with the selected bitmap, font, pen and brush, the text and
// background colours and mode, a clip region, a current position and a save/restore stack.
//
// Coordinates given to drawing calls are the context's own; a window's paint context maps them
// to its top-level window's surface and never draws outside the part it was given. Clip regions
// are in the context's coordinates too.
#pragma once

#include "platform/base/Region.h"
#include "platform/base/Types.h"
#include "platform/draw/GdiObject.h"

#include <optional>
#include <vector>

// One counted reference to a drawing object, so selected and saved objects stay alive.
class CGdiRef {
public:
    CGdiRef() = default;
    explicit CGdiRef(CGdiObject* object);
    CGdiRef(const CGdiRef& other);
    CGdiRef& operator=(const CGdiRef& other);
    ~CGdiRef();

    CGdiObject* Get() const { return m_object; }

private:
    CGdiObject* m_object = nullptr;
};

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

class CDeviceContext {
public:
    struct CState {
        CGdiRef bitmap;
        CGdiRef font;
        CGdiRef pen;
        CGdiRef brush;
        COLORREF textColour = RGB(0, 0, 0);
        COLORREF backgroundColour = RGB(255, 255, 255);
        int backgroundMode = OPAQUE;
        std::optional<CRegion> clip; // none: no clip of its own
        POINT position;
    };

    // A memory context, with a 1 x 1 monochrome bitmap selected as the classic one has.
    CDeviceContext();
    // A context drawing into `surface` with its origin at `origin` (surface coordinates),
    // never outside `limit` (surface coordinates).
    CDeviceContext(CBitmap* surface, POINT origin, const CRegion& limit);
    ~CDeviceContext();
    CDeviceContext(const CDeviceContext&) = delete;
    CDeviceContext& operator=(const CDeviceContext&) = delete;

    bool IsMemory() const { return !m_surface.Get(); }
    // The pixels drawn into: the window surface, or the selected bitmap.
    CBitmap* Target() const;
    POINT Origin() const { return m_origin; }
    CState& State() { return m_state; }
    const CState& State() const { return m_state; }
    CPen* Pen() const;
    CBrush* Brush() const;
    CFont* Font() const;

    // The pixels drawing may touch, as rectangles in target coordinates. Every drawing call
    // intersects its area with these first.
    const std::vector<RECT>& DeviceClip();
    // Whether any pixel of `deviceArea` (target coordinates) may be drawn: drawing calls that
    // do more than one fill ask this first and return early when nothing is left.
    bool Touches(const RECT& deviceArea);
    // Device rectangle of a rectangle in context coordinates, kept within +-2^29 so that
    // later arithmetic on it cannot overflow.
    RECT ToDevice(const RECT& r) const;
    // Must be called after the clip or the selected bitmap change.
    void ClipChanged() { m_clipValid = false; }

    int Save();
    bool Restore(int level);

private:
    CGdiRef m_surface;
    POINT m_origin;
    std::optional<CRegion> m_limit;
    CState m_state;
    std::vector<CState> m_saved;
    bool m_clipValid = false;
    std::vector<RECT> m_deviceClip;
};

HDC CreateCompatibleDC(HDC hdc);
// Deletes a memory context; false for anything else (a paint context ends with EndPaint).
bool DeleteDC(HDC hdc);
// True for a context that exists.
bool IsDeviceContext(HDC hdc);

// Selecting answers the previously selected object of that kind, null on failure. A bitmap
// can be selected into memory contexts only. Selecting a region sets the clip to a copy of
// it and answers its kind (as an integer in the handle).
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap);
HFONT SelectObject(HDC hdc, HFONT font);
HPEN SelectObject(HDC hdc, HPEN pen);
HBRUSH SelectObject(HDC hdc, HBRUSH brush);

constexpr UINT OBJ_PEN = 1;
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

COLORREF SetTextColor(HDC hdc, COLORREF colour); // answers the previous colour
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode); // TRANSPARENT or OPAQUE; answers the previous mode
int GetBkMode(HDC hdc);
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// SaveDC answers the new depth of the stack (1 for the first save), 0 on failure.
// RestoreDC takes a depth, or a negative count of states back from the top.
int SaveDC(HDC hdc);
bool RestoreDC(HDC hdc, int level);

// Saves the context state for one scope.
class CDcStateSaver {
public:
    explicit CDcStateSaver(HDC hdc) : m_hdc(hdc), m_level(SaveDC(hdc)) {}
    ~CDcStateSaver() {
        if (m_level) {
            RestoreDC(m_hdc, m_level);
        }
    }
    CDcStateSaver(const CDcStateSaver&) = delete;
    CDcStateSaver& operator=(const CDcStateSaver&) = delete;

private:
    HDC m_hdc;
    int m_level;
};

// A memory context deleted at the end of its scope.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatible = nullptr) : m_hdc(CreateCompatibleDC(compatible)) {}
    ~CMemoryDC() { DeleteDC(m_hdc); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    operator HDC() const { return m_hdc; }

private:
    HDC m_hdc;
};

// Clipping. A null region removes the clip. The region is copied.
int SelectClipRgn(HDC hdc, HRGN rgn);
// Combines the clip with `rgn` by `mode` (RGN_AND, RGN_OR, ...); no clip counts as everything.
int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
// Copies the clip into `rgn`: 1 when there is one, 0 when there is none, -1 on error.
int GetClipRgn(HDC hdc, HRGN rgn);
// The bounds of what can be drawn, in context coordinates.
int GetClipBox(HDC hdc, RECT* box);

bool MoveToEx(HDC hdc, int x, int y, POINT* previous);
