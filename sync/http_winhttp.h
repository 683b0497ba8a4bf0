// HTTP through WinHTTP (Windows): the system's proxy and certificates, Basic
// and Digest as the server asks, answers bounded in size and time.
#pragma once

#include <string>

#include "http.h"

namespace tavo::sync {

class WinHttpClient final : public HttpClient {
public:
    explicit WinHttpClient(Credentials credentials);
    ~WinHttpClient() override;
    WinHttpClient(const WinHttpClient&) = delete;
    WinHttpClient& operator=(const WinHttpClient&) = delete;
    HttpResponse send(const HttpRequest& request) override;

private:
    HttpResponse exchange(void* connection, const std::wstring& path, bool secure, const HttpRequest& r);

    Credentials credentials_;
    void* session_;
    unsigned long scheme_ = 0;  // the server's authentication scheme, once it named it
};

}  // namespace tavo::sync
