#include "bkwin/BkSubImage.h"

#include <algorithm>
#include <cstdint>

std::optional<BkSubImageSpan> SubImageColumns(int index, int subWidth, int stripWidth) {
    if (subWidth <= 0) {
        return std::nullopt;
    }
    const std::int64_t left = std::int64_t(index) * subWidth;
    const std::int64_t right = left + subWidth;
    const std::int64_t clippedLeft = std::max<std::int64_t>(left, 0);
    const std::int64_t clippedRight = std::min<std::int64_t>(right, stripWidth);
    if (clippedLeft >= clippedRight) {
        return std::nullopt;
    }
    return BkSubImageSpan{int(clippedLeft), int(clippedRight)};
}
