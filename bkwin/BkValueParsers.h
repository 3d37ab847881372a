// Parsers of XML attribute values (UTF-8 byte strings). They never read past the end of the
// value and never fail: bad text gives the documented result.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/base/Types.h"

// Hexadecimal digits without prefix or sign, any length (wrapping at 32 bits). Any character
// that is not a hexadecimal digit makes the whole result 0.
std::int32_t ParseHex(std::string_view text);

// RRGGBB, red first, as a COLORREF. Each pair is read with the hexadecimal rule; a pair with a
// non-hexadecimal character gives 0 for that component, and characters missing at the end of
// a short value are absent (so "ABC" gives red 0xAB, green 0xC, blue 0).
COLORREF ParseColour(std::string_view text);

// An optional leading '-', then decimal digits up to the first non-digit; 0 when there are
// none. Values beyond 32 bits wrap.
std::int32_t ParseInt(std::string_view text);
