#include "update/IMessage.h"

bool IMessage::SerializeBody(std::string& body) const {
    return SerializeToString(&body);
}

bool IMessage::IsUrlMessage() const {
    return false;
}
