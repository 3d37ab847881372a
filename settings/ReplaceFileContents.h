// Replacing a small file so that a crash, a full disk or a failed write never leaves it half
// written: the new contents go to a temporary file in the same folder, reach the disk, and
// then take the old file's place in one rename.
#pragma once

#include <string>
#include <string_view>

// Writes `contents` as the file `path` (creating it, or replacing it with the old file's
// permissions). True when the new file is in place; false, with the old file untouched and no
// temporary file left, when any step fails; `error` then names the step and the reason.
bool ReplaceFileContents(const std::string& path, std::string_view contents,
                         std::string* error = nullptr);
