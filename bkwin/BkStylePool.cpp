#include "bkwin/BkStylePool.h"

#include <tinyxml.h>

#include "bkwin/BkResource.h"

BkStylePool& BkStylePool::Instance() {
    static BkStylePool instance;
    return instance;
}

const BkStyle& BkStylePool::Get(std::string_view name) {
    auto it = styles_.find(std::string(name));
    if (it != styles_.end()) {
        return it->second;
    }
    return styles_[std::string()];
}

bool BkStylePool::Load(int resourceId) {
    styles_.clear();
    styles_[std::string()] = BkStyle();
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
            styles_[name].LoadXml(*e);
        }
    }
    return true;
}

bool LoadStyles(int resourceId) {
    return BkStylePool::Instance().Load(resourceId);
}
