// Access to the program's own resources, keyed by type name and 16-bit id.
#pragma once

#include <string>

#include "platform/Types.h"

class TiXmlDocument;

// Fills `bytes` with the raw bytes of the resource of that id and type; type names compare
// without regard to case ("xml", "XML", "png", "bitmap", "icon", "menu"). False, leaving
// `bytes` untouched, when there is no such resource or it is empty.
bool LoadSkinResource(int id, const WString& type, std::string& bytes);

// Loads and parses the "xml" resource of that id as UTF-8. False when the resource is missing
// or does not parse.
bool LoadXmlResource(int id, TiXmlDocument& document);
