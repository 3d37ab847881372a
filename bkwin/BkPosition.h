// The position grammar of the "pos" attribute: one to four comma-separated items, each an
// optional "|" (from the centre), then an optional "-" (from the far edge), then a decimal
// number. Only two items (the top-left corner) or four (both corners) are in use.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

struct BkPosItem {
    std::int32_t fromCentre = 0;
    std::int32_t fromFarEdge = 0;
    std::int32_t value = 0;
    friend bool operator==(const BkPosItem&, const BkPosItem&) = default;
};

// x1, y1, x2, y2.
using BkPosItems = std::array<BkPosItem, 4>;

struct BkPosition {
    // 2 or 4 when the text is in use; 0 for any other number of items (items all 0 then).
    int count = 0;
    BkPosItems items{};
};

// Parses at most four items; a fifth and later items are ignored.
BkPosition ParsePosition(std::string_view text);

// The coordinate an item gives within the span from `origin` of `length` pixels.
std::int32_t ResolvePosItem(const BkPosItem& item, std::int32_t origin, std::int32_t length);
