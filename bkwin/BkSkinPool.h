// The process-wide map from skin names to the skins of the skin list.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "bkwin/BkSkinBase.h"

class BkSkinPool {
public:
    static BkSkinPool& Instance();

    // The skin of that name, or null.
    CBkSkinBase* Get(std::string_view name) const;

    // Replaces every skin by those of the skin-list resource. False when the resource is
    // missing or does not parse; a root other than "skins" adds nothing and still succeeds.
    bool Load(int resourceId);

private:
    std::unordered_map<std::string, std::unique_ptr<CBkSkinBase>> m_skins;
};

// Loads the skin list `resourceId` into the process-wide pool (start-up passes 100).
bool LoadSkins(int resourceId);
