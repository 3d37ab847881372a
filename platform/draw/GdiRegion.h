// Region objects: sets of pixels for clipping and filling, built from rectangles.
#pragma once

#include "platform/base/Region.h"
#include "platform/draw/GdiObject.h"

class CRgn : public CGdiObject {
public:
    static constexpr GdiKind kKind = GdiKind::Region;
    explicit CRgn(CRegion region) : CGdiObject(kKind), m_region(std::move(region)) {}

    const CRegion& Region() const { return m_region; }
    void SetRegion(CRegion region) { m_region = std::move(region); }

private:
    CRegion m_region;
};

// Region kinds answered by region and clip calls.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
int RegionKind(const CRegion& region);

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateRgnFromRegion(const CRegion& region);
bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// dest = a op b (b unused for RGN_COPY); dest may be a or b. Answers the kind of the result.
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, RECT* box);
bool PtInRegion(HRGN rgn, int x, int y);
bool RectInRegion(HRGN rgn, const RECT* rect);
bool EqualRgn(HRGN a, HRGN b);
