// Access to the program's own resources, keyed by type name and 16-bit id.
#pragma once

#include <string>

#include "platform/base/Types.h"

#include "platform/draw/GdiObject.h"
#include "platform/draw/Icon.h"

class TiXmlDocument;

// Fills `bytes` with the raw bytes of the resource of that id and type; type names compare
// without regard to case ("xml", "XML", "png", "bitmap", "icon", "menu"). False, leaving
// `bytes` untouched, when there is no such resource or it is empty.
bool LoadSkinResource(int id, const WString& type, std::string& bytes);

// The bitmap resource of that id as a device-independent bitmap of the file's own depth (the
// caller owns it); null when there is none or it is not a bitmap this loader reads.
HBITMAP LoadSkinBitmap(int id);

// The icon resource of that id (an icon file whose entries are PNG images) as an icon made
// from its entry of the given size, else the smallest larger entry, else the largest; the
// caller owns it. Null when there is none or no entry decodes.
HICON LoadSkinIcon(int id, int width, int height);

// Loads and parses the resource of that id and type ("xml" unless another XML-based type,
// such as "menu", is named) as UTF-8. False when the resource is missing or does not parse.
bool LoadXmlResource(int id, TiXmlDocument& document, const WString& type = L"xml");
