// Creates elements by XML tag, for containers loading their children.
#pragma once

#include <memory>
#include <string_view>

#include "bkwin/BkWindow.h"

// A new element of the class the tag names, or null for a tag that makes no element
// (unknown tags, "div" and "br" among them).
std::unique_ptr<CBkWindow> CreateElementByTag(std::string_view tag);
