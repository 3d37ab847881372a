#include "bkwin/BkString.h"

#include <tinyxml.h>

#include "bkwin/BkResource.h"
#include "bkwin/BkValueParsers.h"
#include "platform/base/Utf8.h"

BkString& BkString::Instance() {
    static BkString instance;
    return instance;
}

bool BkString::Load(int resourceId) {
    TiXmlDocument document;
    if (!LoadXmlResource(resourceId, document)) {
        return false;
    }
    const TiXmlElement* root = document.RootElement();
    if (root == nullptr || root->ValueStr() != "string") {
        return false;
    }
    for (const TiXmlElement* s = root->FirstChildElement("s"); s != nullptr;
         s = s->NextSiblingElement("s")) {
        const char* id = s->Attribute("id");
        if (id == nullptr) {
            continue;
        }
        const char* text = s->GetText();
        m_texts[ParseInt(id)] = text != nullptr ? Utf8ToWide(text) : WString();
    }
    return true;
}

const WString* BkString::Get(std::int32_t id) const {
    auto it = m_texts.find(id);
    return it != m_texts.end() ? &it->second : nullptr;
}

WString BkString::Text(std::int32_t id) const {
    const WString* text = Get(id);
    return text ? *text : WString();
}

WString FillStringTemplate(const WString& format, std::initializer_list<WString> args) {
    WString out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c != L'%' || i + 1 == format.size()) {
            out += c;
        } else if (format[i + 1] == L'%') {
            out += L'%';
            ++i;
        } else if (format[i + 1] == L'd' || format[i + 1] == L's') {
            if (next != args.end()) {
                out += *next++;
            }
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
