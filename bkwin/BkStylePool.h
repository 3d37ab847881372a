// The process-wide map from class names to the style classes of the style list.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "bkwin/BkStyle.h"

class BkStylePool {
public:
    static BkStylePool& Instance();

    // The class of that name; an unknown name gives the default style (the entry under the
    // empty name). Never fails.
    const BkStyle& Get(std::string_view name);

    // Empties the pool, adds the default style, then applies every <class name=...> of the
    // style-list resource in document order; a name declared again adds its attributes on top
    // of the earlier ones. False when the resource is missing or does not parse; a root other
    // than "style" adds nothing more and still succeeds.
    bool Load(int resourceId);

private:
    std::unordered_map<std::string, BkStyle> m_styles;
};

// Loads the style list `resourceId` into the process-wide pool (start-up passes 101, after the
// default font and the skins).
bool LoadStyles(int resourceId);
