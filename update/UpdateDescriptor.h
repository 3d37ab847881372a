// The update descriptor: a JSON object from the distribution host that announces the newest
// release. When its "versionValue" is greater than the client's own number, the client shows
// the update prompt with the release's name, identifier and change note in rich-text markup.
#pragma once

#include "platform/base/Types.h"

#include <cstddef>
#include <optional>
#include <string_view>

// The client's own version number, compiled in.
constexpr int kClientVersionValue = 1;
// The markup is made in a buffer of this many bytes (UTF-8, with the terminating zero).
constexpr std::size_t kPromptMarkupBufferSize = 2048;

// The prompt's markup for a descriptor that announces a newer version:
//   <c color="FF0000"><b>NAME : ID</b></c><br/> <c color="2222ee"><b>NOTE</b></c>
// from "versionName", "versionId" and "versionDifrent". Their text is escaped (< > & " '), so
// it shows as written and never adds markup; a text too long for the buffer is cut at a whole
// character (and a whole escape), the change note first, keeping every tag. Nothing when the
// descriptor (read up to its first zero byte; comments allowed) is not valid JSON, its root is
// not an object, or "versionValue" is missing, not a number or not greater than the client's.
// Members of other types read as their text when they have one, else as empty.
std::optional<WString> UpdatePromptMarkup(std::string_view descriptor);
