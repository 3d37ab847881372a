#include "bkwin/BkTab.h"

#include "bkwin/BkValueParsers.h"
#include "platform/base/Utf8.h"

HRESULT CBkTab::ApplyAttribute(std::string_view name, std::string_view value, bool loading) {
    if (SUCCEEDED(CBkDialog::ApplyAttribute(name, value, loading))) {
        return S_OK;
    }
    if (name == "title") {
        title = Utf8ToWide(value);
    } else if (name == "hide") {
        hide = ParseInt(value);
    } else {
        return E_FAIL;
    }
    return S_OK;
}
