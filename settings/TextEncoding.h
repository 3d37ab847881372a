// Conversion between the user interface's wide strings and the narrow UTF-8 strings that file
// names and the settings file use: the platform's conversions under the names settings code
// reads best with.
#pragma once

#include "platform/base/Types.h"
#include "platform/base/Utf8.h"

#include <string>

inline std::string ToUtf8(const WString& text) {
    return WideToUtf8(text);
}
// Bytes that are not valid UTF-8 become U+FFFD.
inline WString FromUtf8(const std::string& text) {
    return Utf8ToWide(text);
}
