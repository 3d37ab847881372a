// Building framed streams the way the update server does, and pointing the transport at a
// test server.
#pragma once

#include "update/header.pb.h"

#include <cstdlib>
#include <string>

// One frame: the header length byte, the serialized header, the payload.
inline std::string Frame(std::int32_t msgType, const std::string& payload) {
    common::header header;
    header.set_msgtype(msgType);
    header.set_msgsize(std::int32_t(payload.size()));
    const std::string serialized = header.SerializeAsString();
    return char(serialized.size()) + serialized + payload;
}

// Connections set up after this go to `url`. Call it before any transport thread starts.
inline void UseUpdateAddress(const std::string& url) {
    setenv("VISTREL_UPDATE_URL", url.c_str(), 1);
}
