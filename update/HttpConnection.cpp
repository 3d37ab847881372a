#include "update/HttpConnection.h"

#include "update/UpdateAddress.h"

#include <cstdio>
#include <limits>

namespace {

// The answer comes over plain HTTP from whoever answers for the host: a redirect may point
// anywhere, so neither the address nor a redirect may reach files or other protocols, and a
// redirect loop ends.
constexpr const char* kProtocols = "http,https";
constexpr long kMaxRedirects = 5;

// Takes the answer's bytes as they come; refusing them ends the transfer with a write error.
std::size_t AppendToResponse(char* data, std::size_t size, std::size_t count, void* buffer) {
    auto* response = static_cast<std::string*>(buffer);
    const std::size_t length = size * count;
    if (length > CHttpConnection::kMaxAnswerSize - response->size()) {
        return 0;
    }
    response->append(data, length);
    return length;
}

} // namespace

CHttpConnection::CGlobalInit::CGlobalInit() {
    const CURLcode result = curl_global_init(CURL_GLOBAL_ALL);
    if (result != CURLE_OK) {
        std::printf("Failed to global init default [%d]\n", result);
    }
}

CHttpConnection::CGlobalInit::~CGlobalInit() {
    curl_global_cleanup();
}

CHttpConnection::CHttpConnection() = default;

bool CHttpConnection::Setup() {
    m_initialised = true;
    m_response.clear();
    m_receivedLength = 0;
    m_url = UpdateDescriptorAddress();

    std::unique_ptr<CURL, CEasyCleanup> handle(curl_easy_init());
    if (!handle) {
        std::printf("Failed to create CURL connection\n");
        m_setupResult = CURLE_FAILED_INIT;
        return false;
    }
    CURL* curl = handle.get();
    CURLcode result = curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    if (result != CURLE_OK) {
        std::printf("Failed to set error buffer [%d]\n", result);
        m_setupResult = result;
        return false;
    }
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    // Each option with the line printed when the library refuses it.
    const auto failed = [&](CURLcode code, const char* format) {
        if (code == CURLE_OK) {
            return false;
        }
        std::printf(format, m_errorBuffer);
        m_setupResult = code;
        return true;
    };
    if (failed(curl_easy_setopt(curl, CURLOPT_URL, m_url.c_str()), "Failed to set URL [%s]\n") ||
        failed(curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, kProtocols),
               "Failed to set protocols [%s]\n") ||
        failed(curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L),
               "Failed to set redirect option [%s]\n") ||
        failed(curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects),
               "Failed to set redirect limit [%s]\n") ||
        failed(curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols),
               "Failed to set redirect protocols [%s]\n") ||
        failed(curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendToResponse),
               "Failed to set writer [%s]\n") ||
        failed(curl_easy_setopt(curl, CURLOPT_WRITEDATA, &m_response),
               "Failed to set write data [%s]\n")) {
        return false;
    }
    m_handle = std::move(handle);
    return true;
}

bool CHttpConnection::Prepare(const IMessage* request) {
    if (!request || !request->SerializeBody(m_requestBody)) {
        return false;
    }
    if (!m_initialised) {
        Setup();
    }
    if (!m_handle) {
        std::printf("Failed to global init default [%d]\n", m_setupResult);
        return false;
    }
    CURL* curl = m_handle.get();
    FreeHeaders();
    m_headers.reset(curl_slist_append(nullptr, "Content-Type: text/xml"));
    if (m_requestBody.empty()) {
        // Also turns a handle that last sent a POST back to GET.
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(m_requestBody.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, m_requestBody.data());
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, m_headers.get());
    // Without a callback the previous one is switched off, so no callback outlives its data.
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, m_progress ? 0L : 1L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, m_progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, m_progressData);
    return true;
}

bool CHttpConnection::Transfer() {
    if (!m_handle) {
        return false;
    }
    CURL* curl = m_handle.get();
    m_response.clear();
    const CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK) {
        std::printf("Failed to get '%s' [%d]\n", m_url.c_str(), result);
    }
    FreeHeaders();
    if (result != CURLE_OK) {
        return false;
    }
    long code = 0;
    if (curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK || code != 200) {
        return false;
    }
    curl_off_t downloaded = 0;
    if (curl_easy_getinfo(curl, CURLINFO_SIZE_DOWNLOAD_T, &downloaded) != CURLE_OK ||
        downloaded != curl_off_t(m_response.size()) ||
        downloaded > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    m_receivedLength = std::int32_t(downloaded);
    return true;
}

bool CHttpConnection::PerformSync(IMessage* response) {
    if (response) {
        response->Clear();
    }
    if (!Transfer()) {
        return false;
    }
    return !response || response->ParseFromString(m_response);
}

bool CHttpConnection::Request(const IMessage* request, IMessage* response,
                              curl_xferinfo_callback progress, void* progressData) {
    SetProgress(progress, progressData);
    return Prepare(request) && PerformSync(response);
}

void CHttpConnection::SetProgress(curl_xferinfo_callback progress, void* progressData) {
    m_progress = progress;
    m_progressData = progressData;
}

void CHttpConnection::FreeHeaders() {
    // The handle must not keep pointing at a freed list.
    if (m_handle) {
        curl_easy_setopt(m_handle.get(), CURLOPT_HTTPHEADER, nullptr);
    }
    m_headers.reset();
}
