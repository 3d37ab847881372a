// Icons: small pictures with straight alpha, drawn stretched to any size.
#pragma once

#include "platform/base/Types.h"
#include "platform/draw/GdiObject.h"

#include <cstdint>
#include <memory>
#include <vector>

class CIcon {
public:
    // `pixels`: width x height values B | G << 8 | R << 16 | A << 24, top row first.
    CIcon(int width, int height, std::vector<std::uint32_t> pixels, bool shared = false)
        : m_width(width), m_height(height), m_pixels(std::move(pixels)), m_shared(shared) {}

    // Shared icons (the system's) are never destroyed.
    bool IsShared() const { return m_shared; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<std::uint32_t>& Pixels() const { return m_pixels; }

private:
    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
    bool m_shared;
};
using HICON = CIcon*;

struct ICONINFO {
    BOOL fIcon = 1;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    HBITMAP hbmMask = nullptr;  // 1 = transparent; used when the colour bitmap has no alpha
    HBITMAP hbmColor = nullptr; // 32-bit with alpha, or any depth with a mask
};

// Copies the bitmaps into a new icon; the caller keeps (and deletes) them. Null when the
// colour bitmap is missing.
HICON CreateIconIndirect(const ICONINFO* info);
// An icon from a 32-bit straight-alpha bitmap, such as a decoded PNG.
HICON CreateIconFromBitmap(HBITMAP bitmap);
// Frees an icon; a shared icon stays (and the call succeeds). False for unknown handles.
bool DestroyIcon(HICON icon);

// An icon owned by its holder.
struct CIconDeleter {
    void operator()(CIcon* icon) const { DestroyIcon(icon); }
};
using CIconPtr = std::unique_ptr<CIcon, CIconDeleter>;
// Makes an icon known to the drawing calls; used by the makers of icons.
HICON RegisterIcon(CIcon* icon);

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
// Draws the icon blended over the context, scaled to width x height (0 keeps the icon's own
// size): shrinking averages the covered source pixels, enlarging repeats them.
bool DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step,
                HBRUSH flickerFree, UINT flags);
