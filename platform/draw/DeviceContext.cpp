#include "platform/draw/DeviceContext.h"

#include "platform/draw/Bitmap.h"
#include "platform/draw/Brush.h"
#include "platform/draw/Font.h"
#include "platform/draw/GdiRegion.h"
#include "platform/draw/Pen.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

namespace {

struct CLiveContexts {
    std::mutex lock;
    std::unordered_set<const CDeviceContext*> contexts; // guarded by lock
};

CLiveContexts& LiveContexts() {
    static CLiveContexts live;
    return live;
}

void Register(const CDeviceContext* dc) {
    std::lock_guard guard(LiveContexts().lock);
    LiveContexts().contexts.insert(dc);
}

void Unregister(const CDeviceContext* dc) {
    std::lock_guard guard(LiveContexts().lock);
    LiveContexts().contexts.erase(dc);
}

// The 1 x 1 monochrome bitmap that a new memory context starts with.
CBitmap* DefaultMemoryBitmap() {
    static CBitmap* const bitmap = new CBitmap(1, 1, 1, false, false, {}, true);
    return bitmap;
}

void InitialObjects(CDeviceContext::CState& state) {
    state.font = CGdiRef(GetStockObject(DEFAULT_GUI_FONT));
    state.pen = CGdiRef(GetStockObject(BLACK_PEN));
    state.brush = CGdiRef(GetStockObject(WHITE_BRUSH));
}

CDeviceContext* Context(HDC hdc) {
    return IsDeviceContext(hdc) ? hdc : nullptr;
}

} // namespace

CGdiRef::CGdiRef(CGdiObject* object) : m_object(object) {
    if (m_object) {
        m_object->AddRef();
    }
}

CGdiRef::CGdiRef(const CGdiRef& other) : CGdiRef(other.m_object) {}

CGdiRef& CGdiRef::operator=(const CGdiRef& other) {
    if (other.m_object) {
        other.m_object->AddRef();
    }
    if (m_object) {
        m_object->Release();
    }
    m_object = other.m_object;
    return *this;
}

CGdiRef::~CGdiRef() {
    if (m_object) {
        m_object->Release();
    }
}

CDeviceContext::CDeviceContext() {
    InitialObjects(m_state);
    m_state.bitmap = CGdiRef(DefaultMemoryBitmap());
    Register(this);
}

CDeviceContext::CDeviceContext(CBitmap* surface, POINT origin, const CRegion& limit)
    : m_surface(surface), m_origin(origin), m_limit(limit) {
    InitialObjects(m_state);
    Register(this);
}

CDeviceContext::~CDeviceContext() {
    Unregister(this);
}

CBitmap* CDeviceContext::Target() const {
    return static_cast<CBitmap*>(m_surface.Get() ? m_surface.Get() : m_state.bitmap.Get());
}
CPen* CDeviceContext::Pen() const {
    return static_cast<CPen*>(m_state.pen.Get());
}
CBrush* CDeviceContext::Brush() const {
    return static_cast<CBrush*>(m_state.brush.Get());
}
CFont* CDeviceContext::Font() const {
    return static_cast<CFont*>(m_state.font.Get());
}

const std::vector<RECT>& CDeviceContext::DeviceClip() {
    if (!m_clipValid) {
        const CBitmap* target = Target();
        CRegion area(RECT{0, 0, target->Width(), target->Height()});
        if (m_limit) {
            area = area.Intersect(*m_limit);
        }
        if (m_state.clip) {
            area = area.Intersect(m_state.clip->Offset(m_origin.x, m_origin.y));
        }
        m_deviceClip = area.Rects();
        m_clipValid = true;
    }
    return m_deviceClip;
}

RECT CDeviceContext::ToDevice(const RECT& r) const {
    static constexpr std::int64_t limit = std::int64_t(1) << 29;
    auto shift = [](LONG v, LONG by) {
        return LONG(std::clamp(std::int64_t(v) + by, -limit, limit));
    };
    return RECT{shift(r.left, m_origin.x), shift(r.top, m_origin.y), shift(r.right, m_origin.x),
                shift(r.bottom, m_origin.y)};
}

bool CDeviceContext::Touches(const RECT& deviceArea) {
    for (const RECT& r : DeviceClip()) {
        if (!IntersectRects(r, deviceArea).IsEmpty()) {
            return true;
        }
    }
    return false;
}

int CDeviceContext::Save() {
    m_saved.push_back(m_state);
    return int(m_saved.size());
}

bool CDeviceContext::Restore(int level) {
    const int depth = int(m_saved.size());
    const int target = level < 0 ? depth + level + 1 : level;
    if (target < 1 || target > depth) {
        return false;
    }
    m_state = m_saved[std::size_t(target - 1)];
    m_saved.resize(std::size_t(target - 1));
    ClipChanged();
    return true;
}

bool IsDeviceContext(HDC hdc) {
    if (!hdc) {
        return false;
    }
    std::lock_guard guard(LiveContexts().lock);
    return LiveContexts().contexts.count(hdc) != 0;
}

HDC CreateCompatibleDC(HDC) {
    return new CDeviceContext();
}

bool DeleteDC(HDC hdc) {
    CDeviceContext* dc = Context(hdc);
    // A window's paint context belongs to BeginPaint and goes with EndPaint.
    if (!dc || !dc->IsMemory()) {
        return false;
    }
    delete dc;
    return true;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    CDeviceContext* dc = Context(hdc);
    if (!dc || !IsGdiObject(object)) {
        return nullptr;
    }
    CDeviceContext::CState& state = dc->State();
    auto swap = [object](CGdiRef& slot) {
        CGdiObject* previous = slot.Get();
        slot = CGdiRef(object);
        return previous;
    };
    switch (object->Kind()) {
    case GdiKind::Bitmap: {
        if (!dc->IsMemory()) {
            return nullptr;
        }
        CGdiObject* previous = swap(state.bitmap);
        dc->ClipChanged();
        return previous;
    }
    case GdiKind::Font:
        return swap(state.font);
    case GdiKind::Pen:
        return swap(state.pen);
    case GdiKind::Brush:
        return swap(state.brush);
    case GdiKind::Region:
        return reinterpret_cast<HGDIOBJ>(
            std::intptr_t(SelectClipRgn(hdc, static_cast<HRGN>(object))));
    }
    return nullptr;
}

namespace {

// Selects and answers the previous object as T. The previous object is kept alive until the
// conversion is done: it may be one that was deleted while selected, freed by this very call.
template <class T> T* SelectTyped(HDC hdc, T* object, UINT type) {
    const CGdiRef previous(GetCurrentObject(hdc, type));
    return static_cast<T*>(SelectObject(hdc, static_cast<HGDIOBJ>(object)));
}

} // namespace

HBITMAP SelectObject(HDC hdc, HBITMAP bitmap) {
    return SelectTyped(hdc, bitmap, OBJ_BITMAP);
}
HFONT SelectObject(HDC hdc, HFONT font) {
    return SelectTyped(hdc, font, OBJ_FONT);
}
HPEN SelectObject(HDC hdc, HPEN pen) {
    return SelectTyped(hdc, pen, OBJ_PEN);
}
HBRUSH SelectObject(HDC hdc, HBRUSH brush) {
    return SelectTyped(hdc, brush, OBJ_BRUSH);
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return nullptr;
    }
    switch (type) {
    case OBJ_PEN:
        return dc->State().pen.Get();
    case OBJ_BRUSH:
        return dc->State().brush.Get();
    case OBJ_FONT:
        return dc->State().font.Get();
    case OBJ_BITMAP:
        return dc->IsMemory() ? dc->State().bitmap.Get() : nullptr;
    default:
        return nullptr;
    }
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return CLR_INVALID;
    }
    return std::exchange(dc->State().textColour, colour);
}

COLORREF GetTextColor(HDC hdc) {
    CDeviceContext* dc = Context(hdc);
    return dc ? dc->State().textColour : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return CLR_INVALID;
    }
    return std::exchange(dc->State().backgroundColour, colour);
}

COLORREF GetBkColor(HDC hdc) {
    CDeviceContext* dc = Context(hdc);
    return dc ? dc->State().backgroundColour : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
    CDeviceContext* dc = Context(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    return std::exchange(dc->State().backgroundMode, mode);
}

int GetBkMode(HDC hdc) {
    CDeviceContext* dc = Context(hdc);
    return dc ? dc->State().backgroundMode : 0;
}

int SaveDC(HDC hdc) {
    CDeviceContext* dc = Context(hdc);
    return dc ? dc->Save() : 0;
}

bool RestoreDC(HDC hdc, int level) {
    CDeviceContext* dc = Context(hdc);
    return dc && dc->Restore(level);
}

namespace {

int KindOfRects(const std::vector<RECT>& rects) {
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// Sets the clip and answers the kind of what can now be drawn.
int SetClip(CDeviceContext& dc, std::optional<CRegion> clip) {
    dc.State().clip = std::move(clip);
    dc.ClipChanged();
    return KindOfRects(dc.DeviceClip());
}

// What the context draws into when it has no clip of its own, in its coordinates.
CRegion WholeArea(CDeviceContext& dc) {
    const CBitmap* target = dc.Target();
    const POINT o = dc.Origin();
    return CRegion(RECT{-o.x, -o.y, target->Width() - o.x, target->Height() - o.y});
}

} // namespace

int SelectClipRgn(HDC hdc, HRGN rgn) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return ERROR;
    }
    if (!rgn) {
        return SetClip(*dc, std::nullopt);
    }
    CRgn* region = GdiCast<CRgn>(rgn);
    return region ? SetClip(*dc, region->Region()) : ERROR;
}

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return ERROR;
    }
    if (mode == RGN_COPY) {
        return SelectClipRgn(hdc, rgn);
    }
    CRgn* region = GdiCast<CRgn>(rgn);
    if (!region) {
        return ERROR;
    }
    const CRegion current = dc->State().clip ? *dc->State().clip : WholeArea(*dc);
    switch (mode) {
    case RGN_AND:
        return SetClip(*dc, current.Intersect(region->Region()));
    case RGN_OR:
        return SetClip(*dc, current.Union(region->Region()));
    case RGN_XOR:
        return SetClip(*dc, current.Xor(region->Region()));
    case RGN_DIFF:
        return SetClip(*dc, current.Subtract(region->Region()));
    default:
        return ERROR;
    }
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    CGdiHandle<HRGN> rect(CreateRectRgn(left, top, right, bottom));
    return ExtSelectClipRgn(hdc, rect, RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    CGdiHandle<HRGN> rect(CreateRectRgn(left, top, right, bottom));
    return ExtSelectClipRgn(hdc, rect, RGN_DIFF);
}

int GetClipRgn(HDC hdc, HRGN rgn) {
    CDeviceContext* dc = Context(hdc);
    CRgn* region = GdiCast<CRgn>(rgn);
    if (!dc || !region) {
        return -1;
    }
    if (!dc->State().clip) {
        return 0;
    }
    region->SetRegion(*dc->State().clip);
    return 1;
}

int GetClipBox(HDC hdc, RECT* box) {
    CDeviceContext* dc = Context(hdc);
    if (!dc || !box) {
        return ERROR;
    }
    RECT bounds{};
    for (const RECT& r : dc->DeviceClip()) {
        bounds = BoundingRect(bounds, r);
    }
    const POINT o = dc->Origin();
    *box = bounds.IsEmpty() ? RECT{} : OffsetRectBy(bounds, -o.x, -o.y);
    return KindOfRects(dc->DeviceClip());
}

bool MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    CDeviceContext* dc = Context(hdc);
    if (!dc) {
        return false;
    }
    if (previous) {
        *previous = dc->State().position;
    }
    dc->State().position = POINT{x, y};
    return true;
}
