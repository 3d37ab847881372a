#include "update/SharedCount.h"

void CSharedCount::__incRef() {
    ++_ref;
}

void CSharedCount::__decRef() {
    if (--_ref == 0 && !__hasFlag(NoDelete)) {
        delete this;
    }
}

int CSharedCount::__getRef() const {
    return _ref;
}

void CSharedCount::__setNoDelete(bool noDelete) {
    if (noDelete) {
        __setFlag(NoDelete);
    } else {
        __clearFlag(NoDelete);
    }
}
