#include "bkwin/BkValueParsers.h"

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::int32_t ParseHex(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        int digit = HexDigitValue(c);
        if (digit < 0) {
            return 0;
        }
        value = (value << 4) | std::uint32_t(digit);
    }
    return std::int32_t(value);
}

COLORREF ParseColour(std::string_view text) {
    auto component = [&](std::size_t offset) -> BYTE {
        if (offset >= text.size()) {
            return 0;
        }
        return BYTE(ParseHex(text.substr(offset, 2)));
    };
    return RGB(component(0), component(2), component(4));
}

std::int32_t ParseInt(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + std::uint32_t(text[i] - '0');
    }
    return std::int32_t(negative ? 0u - value : value);
}
