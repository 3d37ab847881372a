#include "update/IUrlMessage.h"

bool IUrlMessage::SerializeBody(std::string& body) const {
    body.clear();
    return true;
}

bool IUrlMessage::IsUrlMessage() const {
    return true;
}
