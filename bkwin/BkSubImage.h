// Where a sub-image lies in a strip of equal sub-images. Skin attributes and state indices may
// hold any 32-bit value, so the columns are computed without overflow and kept within the
// strip: every coordinate derived from them stays as small as the image.
#pragma once

#include <optional>

struct BkSubImageSpan {
    int left = 0;
    int right = 0;
    int Width() const { return right - left; }
};

// The columns of sub-image `index` (index x `subWidth` onwards, `subWidth` wide) that lie
// within the strip's `stripWidth` columns; none when no column does or `subWidth` is not
// positive.
std::optional<BkSubImageSpan> SubImageColumns(int index, int subWidth, int stripWidth);
