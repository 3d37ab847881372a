#include "platform/draw/Blit.h"

#include "platform/draw/Brush.h"
#include "platform/draw/PixelColour.h"
#include "platform/draw/Raster.h"

#include <algorithm>
#include <cstring>

namespace {

CDeviceContext* Context(HDC hdc) {
    return IsDeviceContext(hdc) ? hdc : nullptr;
}

// One axis of a copy: destination pixels [destStart, destStart + destLength) take source
// pixels from [srcStart, srcStart + srcLength), scaled by nearest neighbour, maybe mirrored.
struct CAxis {
    int destStart = 0;
    int destLength = 0;
    int srcStart = 0;
    int srcLength = 0;
    bool mirror = false;

    // Positions and sizes are kept within +-2^29, so that no sum of them overflows.
    CAxis(int dest, int destSize, int src, int srcSize) {
        static constexpr std::int64_t limit = std::int64_t(1) << 29;
        auto bounded = [](std::int64_t v) { return int(std::clamp(v, -limit, limit)); };
        std::int64_t d = dest, dSize = destSize, s = src, sSize = srcSize;
        if (dSize < 0) {
            d += dSize;
            dSize = -dSize;
            mirror = !mirror;
        }
        if (sSize < 0) {
            s += sSize;
            sSize = -sSize;
            mirror = !mirror;
        }
        destStart = bounded(d);
        destLength = bounded(dSize);
        srcStart = bounded(s);
        srcLength = bounded(sSize);
    }

    bool Identity() const { return !mirror && destLength == srcLength; }
    // Source pixel of destination pixel d (absolute), from the pixel centres.
    int Source(int d) const {
        int s = int(((2LL * (d - destStart) + 1) * srcLength) / (2LL * destLength));
        if (mirror) {
            s = srcLength - 1 - s;
        }
        return srcStart + s;
    }
};

// How source pixels are turned into destination pixels, one row at a time.
enum class SourceConversion { None, ColourToMono, MonoToColour };

struct CTransfer {
    CDeviceContext& dest;
    CDeviceContext* src; // null when the operation reads no source
    CAxis x;
    CAxis y;
    bool readsDest;
};

// (s x a + d x (255 - a)) / 255 truncated, per colour channel; the fourth byte of d stays.
// Blue and red go through together in 16-bit lanes, where floor(x / 255) is
// (x + 1 + (x >> 8)) >> 8 for every x up to 255 x 255.
std::uint32_t BlendStraight(std::uint32_t s, std::uint32_t d, unsigned a) {
    const unsigned rest = 255 - a;
    std::uint32_t rb = (s & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * rest;
    rb = ((rb + 0x00010001u + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    std::uint32_t g = ((s >> 8) & 0xFFu) * a + ((d >> 8) & 0xFFu) * rest;
    g = (g + 1 + (g >> 8)) >> 8;
    return (d & ~kPixelColourMask) | rb | (g << 8);
}

bool UsesSource(BYTE rop3) {
    return ((rop3 >> 2) ^ rop3) & 0x33;
}
bool UsesDest(BYTE rop3) {
    return ((rop3 >> 1) ^ rop3) & 0x55;
}

// A pixel of a ternary operation: bit i of rop3 gives the result for the pattern, source and
// destination bits (P << 2 | S << 1 | D) == i.
std::uint32_t Rop3(BYTE rop3, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if ((rop3 >> i) & 1) {
            result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        }
    }
    return result;
}

void ApplyRop(BYTE rop3, std::uint32_t pattern, std::uint32_t* d, const std::uint32_t* s, int n) {
    switch (rop3) {
    case 0xCC:
        std::memmove(d, s, std::size_t(n) * 4);
        break;
    case 0x88:
        for (int i = 0; i < n; ++i) {
            d[i] &= s[i];
        }
        break;
    case 0xEE:
        for (int i = 0; i < n; ++i) {
            d[i] |= s[i];
        }
        break;
    case 0x66:
        for (int i = 0; i < n; ++i) {
            d[i] ^= s[i];
        }
        break;
    case 0xF0:
        FillSpan(d, n, pattern);
        break;
    case 0x00:
        FillSpan(d, n, 0u);
        break;
    case 0xFF:
        FillSpan(d, n, kPixelColourMask);
        break;
    default:
        for (int i = 0; i < n; ++i) {
            d[i] = Rop3(rop3, pattern, s ? s[i] : 0, d[i]);
        }
        break;
    }
}

struct CConversion {
    std::uint32_t destText;
    std::uint32_t destBack;
    std::uint32_t srcBack;
};

// Fetches the source pixels of one destination row: n pixels at the given source columns of
// row sy, converted to the destination's terms.
void Gather(const CBitmap& source, int sy, const int* columns, int n, SourceConversion conversion,
            const CConversion& convert, std::vector<std::uint32_t>& sourceRow,
            std::vector<std::uint32_t>& out) {
    out.resize(std::size_t(n));
    if (source.BitsPerPixel() == 32) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(source.Row(sy));
        for (int k = 0; k < n; ++k) {
            out[std::size_t(k)] = row[columns[k]];
        }
    } else if (columns[n - 1] - columns[0] == n - 1) {
        // An unscaled copy: the columns are one run.
        source.ReadSpan(columns[0], sy, n, out.data());
    } else {
        const int lo = std::min(columns[0], columns[n - 1]);
        const int hi = std::max(columns[0], columns[n - 1]);
        sourceRow.resize(std::size_t(hi - lo + 1));
        source.ReadSpan(lo, sy, hi - lo + 1, sourceRow.data());
        for (int k = 0; k < n; ++k) {
            out[std::size_t(k)] = sourceRow[std::size_t(columns[k] - lo)];
        }
    }
    if (conversion == SourceConversion::ColourToMono) {
        for (std::uint32_t& s : out) {
            s = (s & kPixelColourMask) == convert.srcBack ? kPixelColourMask : 0;
        }
    } else if (conversion == SourceConversion::MonoToColour) {
        for (std::uint32_t& s : out) {
            s = (s & kPixelColourMask) ? convert.destBack : convert.destText;
        }
    }
}

// Runs `op(destPixels, sourcePixels, n)` over every clipped row of the transfer. Source pixels
// are given converted to the destination's terms; they are null without a source.
template <class Op> void Transfer(const CTransfer& t, SourceConversion conversion, Op&& op) {
    CBitmap& target = *t.dest.Target();
    CBitmap* source = t.src ? t.src->Target() : nullptr;
    const POINT o = t.dest.Origin();
    const RECT area =
        OffsetRectBy(RECT{t.x.destStart, t.y.destStart, t.x.destStart + t.x.destLength,
                          t.y.destStart + t.y.destLength},
                     o.x, o.y);
    const POINT so = t.src ? t.src->Origin() : POINT{};
    const CConversion convert{PixelFromColour(t.dest.State().textColour),
                              PixelFromColour(t.dest.State().backgroundColour),
                              t.src ? PixelFromColour(t.src->State().backgroundColour) : 0};
    const bool sameBitmap = source == &target;
    const bool direct = source && source->BitsPerPixel() == 32 && t.x.Identity() &&
                        conversion == SourceConversion::None && !sameBitmap;

    std::vector<int> columns;
    std::vector<std::uint32_t> sourceRow, gathered;
    ForEachClipped(t.dest, area, [&](const RECT& piece) {
        // Source columns of this piece; the mapping is monotonic, so the columns with a
        // source pixel inside the bitmap form one run.
        int first = piece.left, last = piece.right;
        if (source) {
            columns.resize(std::size_t(piece.Width()));
            for (int dx = piece.left; dx < piece.right; ++dx) {
                columns[std::size_t(dx - piece.left)] = t.x.Source(dx - o.x) + so.x;
            }
            auto inside = [&](int dx) {
                const int sx = columns[std::size_t(dx - piece.left)];
                return sx >= 0 && sx < source->Width();
            };
            while (first < last && !inside(first)) {
                ++first;
            }
            while (last > first && !inside(last - 1)) {
                --last;
            }
            if (first >= last) {
                return;
            }
        }
        const int n = last - first;
        int gatheredRow = -1;
        // Copies within one bitmap run against the direction of the shift.
        const bool upwards = sameBitmap && t.y.Source(piece.top - o.y) + so.y < piece.top;
        for (int i = 0; i < piece.Height(); ++i) {
            const int dy = upwards ? piece.bottom - 1 - i : piece.top + i;
            const std::uint32_t* pixels = nullptr;
            if (source) {
                const int sy = t.y.Source(dy - o.y) + so.y;
                if (sy < 0 || sy >= source->Height()) {
                    continue;
                }
                const int sxFirst = columns[std::size_t(first - piece.left)];
                if (direct) {
                    pixels = source->Span32(sxFirst, sy);
                } else {
                    // Rows repeat when enlarging: a row gathered once serves them all (not
                    // within one bitmap, where the copy itself may change the source).
                    if (sy != gatheredRow || sameBitmap) {
                        Gather(*source, sy, columns.data() + (first - piece.left), n, conversion,
                               convert, sourceRow, gathered);
                        gatheredRow = sy;
                    }
                    pixels = gathered.data();
                }
            }
            EditSpan(target, first, dy, n, t.readsDest,
                     [&](std::uint32_t* d) { op(d, pixels, n); });
        }
    });
}

SourceConversion ConversionBetween(const CDeviceContext& dest, const CDeviceContext* src) {
    if (!src) {
        return SourceConversion::None;
    }
    const bool destMono = dest.Target()->BitsPerPixel() == 1;
    const bool srcMono = src->Target()->BitsPerPixel() == 1;
    if (srcMono && !destMono) {
        return SourceConversion::MonoToColour;
    }
    if (!srcMono && destMono) {
        return SourceConversion::ColourToMono;
    }
    return SourceConversion::None;
}

bool RasterCopy(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, int srcW,
                int srcH, DWORD rop) {
    CDeviceContext* d = Context(dest);
    if (!d) {
        return false;
    }
    const BYTE rop3 = BYTE(rop >> 16);
    CDeviceContext* s = nullptr;
    if (UsesSource(rop3)) {
        s = Context(src);
        if (!s || srcW == 0 || srcH == 0) {
            return false;
        }
    } else {
        srcW = w;
        srcH = h;
    }
    if (w == 0 || h == 0) {
        return true;
    }
    const CBrush* brush = d->Brush();
    const std::uint32_t pattern =
        brush && !brush->IsHollow() ? PixelFromColour(brush->Colour()) : 0;
    const CTransfer transfer{*d, s, CAxis(x, w, srcX, srcW), CAxis(y, h, srcY, srcH),
                             UsesDest(rop3)};
    Transfer(transfer, ConversionBetween(*d, s),
             [&](std::uint32_t* dp, const std::uint32_t* sp, int n) {
                 ApplyRop(rop3, pattern, dp, sp, n);
             });
    return true;
}

} // namespace

bool BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, DWORD rop) {
    return RasterCopy(dest, x, y, w, h, src, srcX, srcY, w, h, rop);
}

bool StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, int srcW,
                int srcH, DWORD rop) {
    return RasterCopy(dest, x, y, w, h, src, srcX, srcY, srcW, srcH, rop);
}

bool PatBlt(HDC dest, int x, int y, int w, int h, DWORD rop) {
    if (UsesSource(BYTE(rop >> 16))) {
        return false;
    }
    return RasterCopy(dest, x, y, w, h, nullptr, 0, 0, w, h, rop);
}

bool TransparentBlt(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, int srcW,
                    int srcH, UINT transparentColour) {
    CDeviceContext* d = Context(dest);
    CDeviceContext* s = Context(src);
    if (!d || !s || w <= 0 || h <= 0 || srcW <= 0 || srcH <= 0) {
        return false;
    }
    const std::uint32_t key = PixelFromColour(transparentColour) & kPixelColourMask;
    const CTransfer transfer{*d, s, CAxis(x, w, srcX, srcW), CAxis(y, h, srcY, srcH), true};
    Transfer(transfer, SourceConversion::None,
             [key](std::uint32_t* dp, const std::uint32_t* sp, int n) {
                 for (int i = 0; i < n; ++i) {
                     if ((sp[i] & kPixelColourMask) != key) {
                         dp[i] = sp[i];
                     }
                 }
             });
    return true;
}

bool AlphaBlend(HDC dest, int x, int y, int w, int h, HDC src, int srcX, int srcY, int srcW,
                int srcH, BLENDFUNCTION blend) {
    CDeviceContext* d = Context(dest);
    CDeviceContext* s = Context(src);
    if (!d || !s || w <= 0 || h <= 0 || srcW <= 0 || srcH <= 0 || blend.BlendOp != AC_SRC_OVER) {
        return false;
    }
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    if (perPixel && s->Target()->BitsPerPixel() != 32) {
        return false;
    }
    const unsigned constant = blend.SourceConstantAlpha;
    const CTransfer transfer{*d, s, CAxis(x, w, srcX, srcW), CAxis(y, h, srcY, srcH), true};
    Transfer(transfer, SourceConversion::None,
             [perPixel, constant](std::uint32_t* dp, const std::uint32_t* sp, int n) {
                 for (int i = 0; i < n; ++i) {
                     const std::uint32_t sv = sp[i];
                     unsigned a = perPixel ? sv >> 24 : constant;
                     if (perPixel && constant != 255) {
                         a = a * constant / 255;
                     }
                     if (a == 0) {
                         continue;
                     }
                     const std::uint32_t dv = dp[i];
                     if (a == 255) {
                         dp[i] = (sv & kPixelColourMask) | (dv & ~kPixelColourMask);
                         continue;
                     }
                     dp[i] = BlendStraight(sv, dv, a);
                 }
             });
    return true;
}
