#include "bkwin/BkStylePool.h"

#include <tinyxml.h>

#include "bkwin/BkResource.h"

BkStylePool& BkStylePool::Instance() {
    static BkStylePool instance;
    return instance;
}

const BkStyle& BkStylePool::Get(std::string_view name) {
    auto it = m_styles.find(std::string(name));
    if (it != m_styles.end()) {
        return it->second;
    }
    return m_styles[std::string()];
}

bool BkStylePool::Load(int resourceId) {
    m_styles.clear();
    m_styles[std::string()] = BkStyle();
    TiXmlDocument document;
    if (!LoadXmlResource(resourceId, document)) {
        return false;
    }
    const TiXmlElement* root = document.RootElement();
    if (root == nullptr || root->ValueStr() != "style") {
        return true;
    }
    for (const TiXmlElement* e = root->FirstChildElement("class"); e != nullptr;
         e = e->NextSiblingElement("class")) {
        const char* name = e->Attribute("name");
        if (name != nullptr) {
            m_styles[name].LoadXml(*e);
        }
    }
    return true;
}

bool LoadStyles(int resourceId) {
    return BkStylePool::Instance().Load(resourceId);
}
