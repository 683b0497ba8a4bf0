// HTTP through libcurl (Linux): Basic and Digest, the system's certificates,
// redirects followed with the method kept, answers bounded in size and time.
#pragma once

#include "http.h"

namespace tavo::sync {

class CurlHttpClient final : public HttpClient {
public:
    explicit CurlHttpClient(Credentials credentials);
    ~CurlHttpClient() override;
    CurlHttpClient(const CurlHttpClient&) = delete;
    CurlHttpClient& operator=(const CurlHttpClient&) = delete;
    HttpResponse send(const HttpRequest& request) override;

private:
    Credentials credentials_;
    void* curl_;  // one handle: connections are reused
};

}  // namespace tavo::sync
