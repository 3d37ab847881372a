// The base of every message that travels through the update transport: a protocol buffer
// message with a thread-safe reference count, held by IMessagePtr handles, that reports the
// identifier routing it to its handler.
#pragma once

#include "update/SharedCount.h"

#include <IceUtil/Handle.h>
#include <google/protobuf/message.h>

#include <cstdint>
#include <string>

// The protobuf base comes first: reflection finds a message's fields at offsets from the
// start of the generated class, which it applies to the google::protobuf::Message pointer,
// so that base must sit at offset 0.
class IMessage : public google::protobuf::Message, public CSharedCount {
public:
    // Replaces `body` with the bytes sent as the request body; false when the message cannot
    // be serialized.
    virtual bool SerializeBody(std::string& body) const;
    // True when the answer to this message is raw text rather than a framed stream.
    virtual bool IsUrlMessage() const;
    // The identifier of this kind of message; the generated classes answer their own.
    virtual std::int32_t GetMsgType() const { return 0; }

protected:
    IMessage() = default;
    IMessage(google::protobuf::Arena* arena, bool isMessageOwned)
        : google::protobuf::Message(arena, isMessageOwned) {}
};

using IMessagePtr = IceUtil::Handle<IMessage>;
