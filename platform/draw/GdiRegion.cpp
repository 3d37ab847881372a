#include "platform/draw/GdiRegion.h"

#include <algorithm>

int RegionKind(const CRegion& region) {
    if (region.IsEmpty()) {
        return NULLREGION;
    }
    return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    // Like the classic call, a rectangle given back to front is taken in order.
    const RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right),
                 std::max(top, bottom)};
    return new CRgn(CRegion(r));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateRgnFromRegion(const CRegion& region) {
    return new CRgn(region);
}

bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
    CRgn* r = GdiCast<CRgn>(rgn);
    if (!r) {
        return false;
    }
    r->SetRegion(CRegion(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                              std::max(top, bottom)}));
    return true;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    CRgn* d = GdiCast<CRgn>(dest);
    CRgn* first = GdiCast<CRgn>(a);
    CRgn* second = mode == RGN_COPY ? nullptr : GdiCast<CRgn>(b);
    if (!d || !first || (mode != RGN_COPY && !second)) {
        return ERROR;
    }
    switch (mode) {
    case RGN_AND:
        d->SetRegion(first->Region().Intersect(second->Region()));
        break;
    case RGN_OR:
        d->SetRegion(first->Region().Union(second->Region()));
        break;
    case RGN_XOR:
        d->SetRegion(first->Region().Xor(second->Region()));
        break;
    case RGN_DIFF:
        d->SetRegion(first->Region().Subtract(second->Region()));
        break;
    case RGN_COPY:
        d->SetRegion(first->Region());
        break;
    default:
        return ERROR;
    }
    return RegionKind(d->Region());
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
    CRgn* r = GdiCast<CRgn>(rgn);
    if (!r) {
        return ERROR;
    }
    r->SetRegion(r->Region().Offset(dx, dy));
    return RegionKind(r->Region());
}

int GetRgnBox(HRGN rgn, RECT* box) {
    CRgn* r = GdiCast<CRgn>(rgn);
    if (!r || !box) {
        return ERROR;
    }
    *box = r->Region().Bounds();
    return RegionKind(r->Region());
}

bool PtInRegion(HRGN rgn, int x, int y) {
    CRgn* r = GdiCast<CRgn>(rgn);
    return r && r->Region().Contains(POINT{x, y});
}

bool RectInRegion(HRGN rgn, const RECT* rect) {
    CRgn* r = GdiCast<CRgn>(rgn);
    return r && rect && r->Region().Intersects(*rect);
}

bool EqualRgn(HRGN a, HRGN b) {
    CRgn* first = GdiCast<CRgn>(a);
    CRgn* second = GdiCast<CRgn>(b);
    return first && second && first->Region() == second->Region();
}
