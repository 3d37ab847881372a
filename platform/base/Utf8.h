// Conversions between UTF-8 byte strings and wide strings (one code point per element).
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Types.h"

// Malformed sequences become U+FFFD, one per bad byte, so no input is lost silently.
WString Utf8ToWide(std::string_view text);
// Code points that cannot be encoded (surrogates, values above U+10FFFF) become U+FFFD.
std::string WideToUtf8(const WString& text);
