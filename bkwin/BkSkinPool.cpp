#include "bkwin/BkSkinPool.h"

#include <tinyxml.h>

#include "bkwin/BkImageSkin.h"
#include "bkwin/BkPngSkin.h"
#include "bkwin/BkResource.h"
#include "bkwin/BkSkinButton.h"
#include "bkwin/BkSkinGradation.h"
#include "bkwin/BkSkinImgFrame.h"
#include "bkwin/BkSkinImgHorzExtend.h"

namespace {

// The skin kinds by XML tag, tried in this order.
std::unique_ptr<CBkSkinBase> CreateSkin(std::string_view tag) {
    if (tag == CBkImageSkin::kTag) {
        return std::make_unique<CBkImageSkin>();
    }
    if (tag == CBkSkinImgFrame::kTag) {
        return std::make_unique<CBkSkinImgFrame>();
    }
    if (tag == CBkSkinButton::kTag) {
        return std::make_unique<CBkSkinButton>();
    }
    if (tag == CBkSkinImgHorzExtend::kTag) {
        return std::make_unique<CBkSkinImgHorzExtend>();
    }
    if (tag == CBkSkinGradation::kTag) {
        return std::make_unique<CBkSkinGradation>();
    }
    if (tag == CBkPngSkin::kTag) {
        return std::make_unique<CBkPngSkin>();
    }
    return nullptr;
}

} // namespace

BkSkinPool& BkSkinPool::Instance() {
    static BkSkinPool instance;
    return instance;
}

CBkSkinBase* BkSkinPool::Get(std::string_view name) const {
    auto it = m_skins.find(std::string(name));
    return it != m_skins.end() ? it->second.get() : nullptr;
}

bool BkSkinPool::Load(int resourceId) {
    m_skins.clear();
    TiXmlDocument document;
    if (!LoadXmlResource(resourceId, document)) {
        return false;
    }
    const TiXmlElement* root = document.RootElement();
    if (root == nullptr || root->ValueStr() != "skins") {
        return true;
    }
    for (const TiXmlElement* e = root->FirstChildElement(); e != nullptr;
         e = e->NextSiblingElement()) {
        const char* name = e->Attribute("name");
        if (name == nullptr) {
            continue;
        }
        std::unique_ptr<CBkSkinBase> skin = CreateSkin(e->ValueStr());
        if (skin == nullptr) {
            continue;
        }
        skin->LoadXml(*e);
        m_skins[name] = std::move(skin);
    }
    return true;
}

bool LoadSkins(int resourceId) {
    return BkSkinPool::Instance().Load(resourceId);
}
