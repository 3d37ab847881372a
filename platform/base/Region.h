// A region: a set of pixels kept as disjoint rectangles in y-x bands, used for invalid areas,
// window shapes and clipping.
#pragma once

#include "platform/base/Types.h"

#include <vector>

class CRegion {
public:
    CRegion() = default;
    explicit CRegion(const RECT& r);

    bool IsEmpty() const { return m_rects.empty(); }
    bool Contains(POINT p) const;
    bool Intersects(const RECT& r) const;
    RECT Bounds() const;
    // The disjoint rectangles, top to bottom, then left to right.
    const std::vector<RECT>& Rects() const { return m_rects; }

    CRegion Union(const CRegion& other) const;
    CRegion Intersect(const CRegion& other) const;
    CRegion Subtract(const CRegion& other) const;
    CRegion Xor(const CRegion& other) const;
    CRegion Offset(LONG dx, LONG dy) const;

    friend bool operator==(const CRegion&, const CRegion&) = default;

private:
    enum class Op { Union, Intersect, Subtract, Xor };
    static CRegion Combine(const CRegion& a, const CRegion& b, Op op);

    std::vector<RECT> m_rects;
};
