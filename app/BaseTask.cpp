#include "app/BaseTask.h"

namespace conew {

void IBaseTask::Complete(int) {}

void IBaseTask::Release() {
    if (m_references.fetch_sub(1) == 1) {
        delete this;
    }
}

} // namespace conew
