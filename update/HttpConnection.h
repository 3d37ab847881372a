// One libcurl easy handle that performs transfers to the update-descriptor address: a plain
// GET when the request has no body, else a POST of the body. Only http and https are spoken,
// at most five redirects are followed, and an answer may be at most kMaxAnswerSize bytes.
// Not thread-safe: each connection is used by one thread at a time.
#pragma once

#include "update/IMessage.h"

#include <curl/curl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CHttpConnection {
public:
    // A longer answer fails the transfer: the update descriptor is a few hundred bytes.
    static constexpr std::size_t kMaxAnswerSize = 1024 * 1024;

    CHttpConnection();
    CHttpConnection(const CHttpConnection&) = delete;
    CHttpConnection& operator=(const CHttpConnection&) = delete;

    // One-time creation and configuration of the easy handle, run by the first Prepare. A
    // failed setup is not repeated; every later transfer then fails.
    bool Setup();
    // The body, headers and options for one transfer of `request`.
    bool Prepare(const IMessage* request);
    // One prepared transfer and its acceptance: answered with code 200 and received whole.
    bool Transfer();
    // Transfer, and with a response message, the answer parsed into it.
    bool PerformSync(IMessage* response);
    // Prepare and PerformSync with the given progress callback (may be null) for the transfer.
    bool Request(const IMessage* request, IMessage* response, curl_xferinfo_callback progress,
                 void* progressData);
    // The progress callback of the following transfers; a non-zero answer aborts a transfer.
    void SetProgress(curl_xferinfo_callback progress, void* progressData);

    // The answer of the last accepted transfer.
    const std::string& Response() const { return m_response; }
    std::int32_t ReceivedLength() const { return m_receivedLength; }

private:
    void FreeHeaders();

    // Library-wide initialisation, balanced by one clean-up after the members below are gone.
    struct CGlobalInit {
        CGlobalInit();
        ~CGlobalInit();
    };
    struct CEasyCleanup {
        void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    };
    struct CHeaderListFree {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    CGlobalInit m_global;
    bool m_initialised = false;
    std::unique_ptr<CURL, CEasyCleanup> m_handle;
    std::string m_url;
    std::string m_requestBody;
    std::string m_response;
    std::int32_t m_receivedLength = 0;
    curl_xferinfo_callback m_progress = nullptr;
    void* m_progressData = nullptr;
    std::unique_ptr<curl_slist, CHeaderListFree> m_headers;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
    // The library's result of the failed setup step, shown when a later request cannot run.
    int m_setupResult = 0;
};
