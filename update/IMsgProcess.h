// The base of every message handler. A handler keeps one prototype message per identifier
// it handles; an answer for such an identifier is parsed into the prototype and handed to
// OnMessage, or, when the prototype is a URL message, handed as text to OnRawMessage.
#pragma once

#include "update/IMessage.h"

#include <cstdint>
#include <map>

class IMsgProcess {
public:
    virtual ~IMsgProcess() = default;

    // A parsed message has arrived. The prototype is reused for the next message of its
    // identifier, so take what is needed from it here.
    virtual bool OnMessage(IMessage* message) = 0;
    // The raw answer of a URL request has arrived, as text up to its first zero byte.
    virtual bool OnRawMessage(std::int32_t msgType, const char* text) = 0;
    // Not called by the dispatcher.
    virtual std::int32_t Release() = 0;

    // Routes one received answer by its identifier. True when it was ignored (no prototype),
    // handed as text, or parsed and accepted by OnMessage; false when it did not parse.
    bool OnRecvMsg(std::int32_t msgType, std::int32_t reserved, const char* data,
                   std::int32_t size);

protected:
    // The prototypes by identifier, owned by the handler for its lifetime.
    std::map<std::int32_t, IMessagePtr> m_prototypes;
};
