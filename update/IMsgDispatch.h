// How the HTTP request worker hands complete answers back to the message dispatcher.
#pragma once

#include <cstdint>

class IMsgDispatch {
public:
    // The raw answer of a URL request, tagged with the request's message identifier.
    virtual bool OnRecvRaw(const char* data, std::int32_t size, std::int32_t msgType) = 0;
    // The answer of any other request: a framed stream of messages.
    virtual bool OnRecvStream(const char* data, std::int32_t size) = 0;

protected:
    ~IMsgDispatch() = default;
};
