// The icon the desktop shows for a file: the freedesktop icon theme's picture of the file's
// MIME type, found by the file's name.
#pragma once

#include "platform/draw/Icon.h"

#include <string>

// The file's MIME type by the glob patterns of the shared MIME database (the highest weight
// wins, then the longest pattern); empty when no pattern matches the file's name.
std::string MimeTypeOfFileName(const std::string& path);

// A new icon (the caller destroys it) for the file's type from the icon theme, at the small
// (SM_CXSMICON) or the large (SM_CXICON) size: the type's own icon, else its generic one. The
// themes looked in are Adwaita, then hicolor; only PNG pictures of exactly that size are used.
// Null when the type is unknown or no picture exists.
HICON LoadFileIcon(const std::string& path, bool small);
