// IceUtil::Shared with its reference-count operations compiled into this program. libIce's
// own copies keep the same atomic count, but they are built without the program's
// instrumentation, so ThreadSanitizer would not see the release on one thread that orders a
// deletion on another. The semantics are those of IceUtil::Shared: an atomic count, starting
// at zero, and deletion at zero unless the no-delete flag is set.
#pragma once

#include <IceUtil/Shared.h>

class CSharedCount : public IceUtil::Shared {
public:
    void __incRef() override;
    void __decRef() override;
    int __getRef() const override;
    void __setNoDelete(bool noDelete) override;
};
