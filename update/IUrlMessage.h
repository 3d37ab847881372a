// A message whose request is a plain download of the update-descriptor address: it never has
// a request body, and its answer is delivered as raw text.
#pragma once

#include "update/IMessage.h"

class IUrlMessage : public IMessage {
public:
    bool SerializeBody(std::string& body) const override;
    bool IsUrlMessage() const override;

protected:
    IUrlMessage() = default;
    IUrlMessage(google::protobuf::Arena* arena, bool isMessageOwned)
        : IMessage(arena, isMessageOwned) {}
};
