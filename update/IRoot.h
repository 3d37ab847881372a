// What user-interface code asks of the message dispatcher.
#pragma once

#include "update/IMessage.h"
#include "update/IMsgProcess.h"

#include <curl/curl.h>

#include <cstdint>

class IRoot {
public:
    // Registers the handler for the identifier; the first registration of an identifier stays.
    // The handler is not owned and must stay registered no longer than it lives.
    virtual void RegisterProcess(std::int32_t msgType, IMsgProcess* handler) = 0;
    // Queues the request for the HTTP worker; false once the worker is stopping.
    virtual bool PostRequest(IMessagePtr request) = 0;
    // Performs the request on the calling thread and parses the answer into `response` (may be
    // null). `progress` (may be null) may abort the transfer by answering non-zero.
    virtual bool SendRequest(IMessage* request, IMessage* response, curl_xferinfo_callback progress,
                             void* progressData) = 0;

protected:
    ~IRoot() = default;
};
