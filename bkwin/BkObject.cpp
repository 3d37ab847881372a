#include "bkwin/BkObject.h"

#include <tinyxml.h>

bool CBkObject::LoadXml(const TiXmlElement& element) {
    for (const TiXmlAttribute* a = element.FirstAttribute(); a != nullptr; a = a->Next()) {
        ApplyAttribute(a->Name(), a->Value(), true);
    }
    return true;
}

HRESULT CBkObject::ApplyAttribute(std::string_view, std::string_view, bool) {
    return E_FAIL;
}
