#include "update/IMsgProcess.h"

bool IMsgProcess::OnRecvMsg(std::int32_t msgType, std::int32_t /*reserved*/, const char* data,
                            std::int32_t size) {
    const auto found = m_prototypes.find(msgType);
    if (found == m_prototypes.end() || !found->second) {
        return true;
    }
    IMessage* prototype = found->second.get();
    if (prototype->IsUrlMessage()) {
        OnRawMessage(msgType, data);
        return true;
    }
    if (size < 0 || !prototype->ParseFromArray(data, size)) {
        return false;
    }
    return OnMessage(prototype);
}
