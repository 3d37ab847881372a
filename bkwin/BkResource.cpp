#include "bkwin/BkResource.h"

#include <tinyxml.h>

#include "bkwin/BkResourceTable.h"

namespace {

bool TypeNameEquals(const WString& wanted, const char* stored) {
    std::size_t i = 0;
    for (; i < wanted.size() && stored[i] != '\0'; ++i) {
        wchar_t c = wanted[i];
        if (c >= L'A' && c <= L'Z') {
            c = c - L'A' + L'a';
        }
        char s = stored[i];
        if (s >= 'A' && s <= 'Z') {
            s = char(s - 'A' + 'a');
        }
        if (c != wchar_t(static_cast<unsigned char>(s))) {
            return false;
        }
    }
    return i == wanted.size() && stored[i] == '\0';
}

} // namespace

bool LoadSkinResource(int id, const WString& type, std::string& bytes) {
    if (id < 0 || id > 0xFFFF) {
        return false;
    }
    for (const BkEmbeddedResource& resource : ProgramResources()) {
        if (resource.id == id && TypeNameEquals(type, resource.type)) {
            if (resource.size == 0) {
                return false;
            }
            bytes.assign(reinterpret_cast<const char*>(resource.data), resource.size);
            return true;
        }
    }
    return false;
}

bool LoadXmlResource(int id, TiXmlDocument& document) {
    std::string bytes;
    if (!LoadSkinResource(id, L"xml", bytes)) {
        return false;
    }
    document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error();
}
