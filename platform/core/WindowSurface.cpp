// Window paint contexts and the top-level surfaces they draw into.
#include "platform/core/Backend.h"
#include "platform/core/PaintDC.h"
#include "platform/core/PaintedWindows.h"
#include "platform/core/Window.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/DeviceContext.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

namespace {

// One surface per top-level window that has painted, and the open paint contexts.
struct CSurfaces {
    std::mutex lock;
    std::map<HWND, CGdiRef> surfaces; // guarded by lock; each holds a CBitmap
    struct CPainting {
        HWND top;
        RECT dirty; // window coordinates of the top-level window
    };
    std::map<HDC, CPainting> paintings; // guarded by lock
};

CSurfaces& Surfaces() {
    static CSurfaces surfaces;
    return surfaces;
}

// The surface of `top` at its current size; made or resized (keeping what overlaps) when
// needed. Called under the lock.
CBitmap* SurfaceFor(CSurfaces& s, HWND top, int width, int height) {
    CGdiRef& slot = s.surfaces[top];
    auto* current = static_cast<CBitmap*>(slot.Get());
    if (current && current->Width() == width && current->Height() == height) {
        return current;
    }
    auto* made = new CBitmap(width, height, 32, false, false);
    if (current) {
        const int w = std::min(width, current->Width());
        for (int y = 0; y < std::min(height, current->Height()); ++y) {
            std::copy_n(current->Span32(0, y), w, made->Span32(0, y));
        }
    }
    slot = CGdiRef(made);
    DeleteObject(made); // the slot's reference keeps it
    return made;
}

} // namespace

HDC CreateWindowPaintDC(HWND hwnd, const CRegion& clip) {
    const HWND top = GetAncestor(hwnd, GA_ROOT);
    RECT topRect{};
    RECT own{};
    if (!top || !GetWindowRect(top, &topRect) || !GetClientRect(hwnd, &own) || topRect.IsEmpty()) {
        return nullptr;
    }
    POINT origin{0, 0};
    MapWindowPoints(hwnd, top, &origin, 1);
    // The window's own area bounds the clip whatever the caller passes.
    const CRegion limit = clip.Intersect(CRegion(own)).Offset(origin.x, origin.y);

    CSurfaces& s = Surfaces();
    std::lock_guard guard(s.lock);
    CBitmap* surface = SurfaceFor(s, top, topRect.Width(), topRect.Height());
    auto* dc = new CDeviceContext(surface, origin, limit);
    s.paintings[dc] = CSurfaces::CPainting{top, limit.Bounds()};
    return dc;
}

void ReleaseWindowPaintDC(HDC hdc) {
    CSurfaces::CPainting painting{};
    {
        CSurfaces& s = Surfaces();
        std::lock_guard guard(s.lock);
        auto found = s.paintings.find(hdc);
        if (found == s.paintings.end()) {
            return;
        }
        painting = found->second;
        s.paintings.erase(found);
    }
    delete hdc;
    if (!painting.dirty.IsEmpty()) {
        Backend().SurfacePainted(painting.top, painting.dirty);
    }
}

void ForgetWindowSurface(HWND topLevel) {
    CSurfaces& s = Surfaces();
    std::lock_guard guard(s.lock);
    s.surfaces.erase(topLevel);
}

const CBitmap* GetWindowSurface(HWND topLevel) {
    CSurfaces& s = Surfaces();
    std::lock_guard guard(s.lock);
    auto found = s.surfaces.find(topLevel);
    return found == s.surfaces.end() ? nullptr : static_cast<const CBitmap*>(found->second.Get());
}

std::vector<HWND> PaintedTopLevels() {
    CSurfaces& s = Surfaces();
    std::lock_guard guard(s.lock);
    std::vector<HWND> painted;
    for (const auto& entry : s.surfaces) {
        painted.push_back(entry.first);
    }
    return painted;
}
