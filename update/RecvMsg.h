// One received answer waiting in the dispatcher for its handler: the message identifier, a
// reserved value (always 0) and an owned copy of the bytes.
#pragma once

#include "update/SharedCount.h"

#include <IceUtil/Handle.h>

#include <cstdint>
#include <string>
#include <string_view>

class CRecvMsg : public CSharedCount {
public:
    CRecvMsg(std::int32_t msgType, std::int32_t reserved, std::string_view body)
        : m_msgType(msgType), m_reserved(reserved), m_body(body) {}

    std::int32_t MsgType() const { return m_msgType; }
    std::int32_t Reserved() const { return m_reserved; }
    // The bytes, embedded zero bytes included; always followed by a zero byte.
    const std::string& Body() const { return m_body; }

private:
    std::int32_t m_msgType;
    std::int32_t m_reserved;
    std::string m_body;
};

using CRecvMsgPtr = IceUtil::Handle<CRecvMsg>;
