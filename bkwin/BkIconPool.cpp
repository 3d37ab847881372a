#include "bkwin/BkIconPool.h"

#include "bkwin/BkResource.h"
#include "platform/base/WindowStyles.h"
#include "platform/core/Input.h"

BkIconPool& BkIconPool::Instance() {
    // Never destroyed, like the other pools of drawing objects: the icons are left to the
    // operating system at exit.
    static BkIconPool& instance = *new BkIconPool;
    return instance;
}

HICON BkIconPool::GetIcon(int id) {
    auto it = m_icons.find(id);
    if (it != m_icons.end()) {
        return it->second.get();
    }
    HICON icon = LoadSkinIcon(id, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    if (icon != nullptr) {
        m_icons.emplace(id, std::unique_ptr<CIcon, CIconDeleter>(icon));
    }
    return icon;
}
