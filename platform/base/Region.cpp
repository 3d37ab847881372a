#include "platform/base/Region.h"

#include <algorithm>

namespace {

using Span = std::pair<LONG, LONG>; // [first, second) on the x axis

// The x spans a region covers on the row band [top, bottom); the band lies inside one band of
// the region's own decomposition, so each rectangle either covers it wholly or not at all.
std::vector<Span> SpansInBand(const std::vector<RECT>& rects, LONG top, LONG bottom) {
    std::vector<Span> spans;
    for (const RECT& r : rects) {
        if (r.top <= top && r.bottom >= bottom) {
            spans.emplace_back(r.left, r.right);
        }
    }
    return spans; // already sorted by x: rectangles of one band are stored left to right
}

bool Covered(const std::vector<Span>& spans, LONG x) {
    for (const Span& s : spans) {
        if (x >= s.first && x < s.second) {
            return true;
        }
    }
    return false;
}

} // namespace

CRegion::CRegion(const RECT& r) {
    if (!r.IsEmpty()) {
        m_rects.push_back(r);
    }
}

bool CRegion::Contains(POINT p) const {
    return std::any_of(m_rects.begin(), m_rects.end(),
                       [p](const RECT& r) { return r.Contains(p); });
}

bool CRegion::Intersects(const RECT& r) const {
    return std::any_of(m_rects.begin(), m_rects.end(),
                       [&r](const RECT& own) { return !IntersectRects(own, r).IsEmpty(); });
}

RECT CRegion::Bounds() const {
    RECT bounds{};
    for (const RECT& r : m_rects) {
        bounds = BoundingRect(bounds, r);
    }
    return bounds;
}

CRegion CRegion::Union(const CRegion& other) const {
    return Combine(*this, other, Op::Union);
}
CRegion CRegion::Intersect(const CRegion& other) const {
    return Combine(*this, other, Op::Intersect);
}
CRegion CRegion::Subtract(const CRegion& other) const {
    return Combine(*this, other, Op::Subtract);
}
CRegion CRegion::Xor(const CRegion& other) const {
    return Combine(*this, other, Op::Xor);
}

CRegion CRegion::Offset(LONG dx, LONG dy) const {
    CRegion moved;
    moved.m_rects.reserve(m_rects.size());
    for (const RECT& r : m_rects) {
        moved.m_rects.push_back(OffsetRectBy(r, dx, dy));
    }
    return moved;
}

// Cuts the plane into bands at every top and bottom edge of both regions, combines the x spans
// of each band by the operation, and joins a band to the one above when their spans match.
CRegion CRegion::Combine(const CRegion& a, const CRegion& b, Op op) {
    std::vector<LONG> ys;
    for (const auto* region : {&a, &b}) {
        for (const RECT& r : region->m_rects) {
            ys.push_back(r.top);
            ys.push_back(r.bottom);
        }
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    CRegion result;
    std::vector<Span> previousSpans;
    size_t previousBandStart = 0;
    LONG previousBottom = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const LONG top = ys[i];
        const LONG bottom = ys[i + 1];
        const std::vector<Span> sa = SpansInBand(a.m_rects, top, bottom);
        const std::vector<Span> sb = SpansInBand(b.m_rects, top, bottom);

        std::vector<LONG> xs;
        for (const auto* spans : {&sa, &sb}) {
            for (const Span& s : *spans) {
                xs.push_back(s.first);
                xs.push_back(s.second);
            }
        }
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());

        std::vector<Span> spans;
        for (size_t j = 0; j + 1 < xs.size(); ++j) {
            const bool inA = Covered(sa, xs[j]);
            const bool inB = Covered(sb, xs[j]);
            bool in = false;
            switch (op) {
            case Op::Union:
                in = inA || inB;
                break;
            case Op::Intersect:
                in = inA && inB;
                break;
            case Op::Subtract:
                in = inA && !inB;
                break;
            case Op::Xor:
                in = inA != inB;
                break;
            }
            if (!in) {
                continue;
            }
            if (!spans.empty() && spans.back().second == xs[j]) {
                spans.back().second = xs[j + 1];
            } else {
                spans.emplace_back(xs[j], xs[j + 1]);
            }
        }

        if (spans.empty()) {
            previousSpans.clear();
            continue;
        }
        if (spans == previousSpans && previousBottom == top) {
            for (size_t k = previousBandStart; k < result.m_rects.size(); ++k) {
                result.m_rects[k].bottom = bottom;
            }
        } else {
            previousBandStart = result.m_rects.size();
            for (const Span& s : spans) {
                result.m_rects.push_back({s.first, top, s.second, bottom});
            }
            previousSpans = spans;
        }
        previousBottom = bottom;
    }
    return result;
}
