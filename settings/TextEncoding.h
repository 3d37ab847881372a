// Conversion between the user interface's wide strings and the narrow UTF-8 strings that file
// names and the settings file use.
#pragma once

#include "platform/Types.h"

#include <string>

std::string ToUtf8(const WString& text);
// Bytes that are not valid UTF-8 become U+FFFD.
WString FromUtf8(const std::string& text);
