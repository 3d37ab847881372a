#include "platform/core/BuiltInClasses.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct CRegistrarList {
    std::mutex lock;
    std::vector<BuiltInClassRegistrar> enlisted; // guarded by lock
    bool registered = false;                     // guarded by lock: the first lookup has run them
    std::once_flag once;
};

CRegistrarList& Registrars() {
    static CRegistrarList list;
    return list;
}

} // namespace

void EnlistBuiltInClass(BuiltInClassRegistrar registrar) {
    CRegistrarList& list = Registrars();
    {
        std::lock_guard guard(list.lock);
        if (std::find(list.enlisted.begin(), list.enlisted.end(), registrar) !=
            list.enlisted.end()) {
            return;
        }
        list.enlisted.push_back(registrar);
        if (!list.registered) {
            return;
        }
    }
    registrar();
}

void RegisterBuiltInClasses() {
    CRegistrarList& list = Registrars();
    // Every lookup waits here until the first one has registered the enlisted classes.
    std::call_once(list.once, [&list] {
        std::vector<BuiltInClassRegistrar> toRun;
        {
            std::lock_guard guard(list.lock);
            list.registered = true;
            toRun = list.enlisted;
        }
        for (BuiltInClassRegistrar registrar : toRun) {
            registrar();
        }
    });
}
