#include "bkwin/BkPosition.h"

#include "bkwin/BkValueParsers.h"

namespace {

BkPosItem ParsePosItem(std::string_view text) {
    BkPosItem item;
    if (!text.empty() && text.front() == '|') {
        item.fromCentre = 1;
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '-') {
        item.fromFarEdge = 1;
        text.remove_prefix(1);
    }
    item.value = ParseInt(text);
    return item;
}

} // namespace

BkPosition ParsePosition(std::string_view text) {
    BkPosItems items{};
    int count = 0;
    while (count < 4) {
        const std::size_t comma = text.find(',');
        items[count++] = ParsePosItem(text.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (count != 2 && count != 4) {
        return {};
    }
    if (count == 2) {
        items[2] = items[3] = {};
    }
    return {count, items};
}

std::int32_t ResolvePosItem(const BkPosItem& item, std::int32_t origin, std::int32_t length) {
    if (item.fromCentre) {
        const std::int32_t centre = origin + length / 2;
        return item.fromFarEdge ? centre - item.value : centre + item.value;
    }
    return item.fromFarEdge ? origin + length - item.value : origin + item.value;
}
