#include "bkwin/BkDialogFile.h"

#include "bkwin/BkResource.h"
#include "bkwin/BkValueParsers.h"

#include <tinyxml.h>

#include <algorithm>
#include <vector>

namespace {

// The resources whose children are being loaded, outermost first. Elements are loaded on the
// UI thread only.
std::vector<int>& IncludesInProgress() {
    static std::vector<int> includes;
    return includes;
}

class CIncludeGuard {
public:
    explicit CIncludeGuard(int resourceId) { IncludesInProgress().push_back(resourceId); }
    ~CIncludeGuard() { IncludesInProgress().pop_back(); }
    CIncludeGuard(const CIncludeGuard&) = delete;
    CIncludeGuard& operator=(const CIncludeGuard&) = delete;
};

} // namespace

bool CBkDialogFile::LoadXml(const TiXmlElement& element) {
    if (!CBkWindow::LoadXml(element)) {
        return false;
    }
    const char* src = element.Attribute("src");
    if (!src || !*src) {
        return false;
    }
    const int resourceId = ParseInt(src);
    if (std::ranges::find(IncludesInProgress(), resourceId) != IncludesInProgress().end()) {
        return false;
    }
    std::string bytes;
    if (!LoadSkinResource(resourceId, L"xml", bytes)) {
        SendElementMessage(this, WM_DESTROY, 0, 0);
        return true;
    }
    TiXmlDocument document;
    document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error()) {
        return false;
    }
    const CIncludeGuard guard(resourceId);
    LoadChildren(document.FirstChildElement());
    return true;
}
