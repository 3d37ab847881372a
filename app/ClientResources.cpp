#include "app/ClientResources.h"

#include "app/AppCommands.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"

namespace {

constexpr int kStringTable = 102;
constexpr int kSkinList = 100;
constexpr int kStyleList = 101;
constexpr int kDefaultFontHeight = -12;

} // namespace

void LoadClientResources() {
    BkString::Instance().Load(kStringTable);
    BkFontPool::Instance().SetDefaultFont(BkString::Instance().Get(kStringFontFace),
                                          kDefaultFontHeight);
    LoadSkins(kSkinList);
    LoadStyles(kStyleList);
}
