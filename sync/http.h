// HTTP as the sync engine uses it: one request, one answer. Behind an
// interface: libcurl on Linux, WinHTTP on Windows, fakes in tests.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavo::sync {

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string method;  // GET, PUT, DELETE, PROPFIND, REPORT
    std::string url;
    HttpHeaders headers;
    std::string body;
};

struct HttpResponse {
    int status = 0;      // 0: no answer (see error)
    HttpHeaders headers;
    std::string body;
    std::string error;   // in words: cannot connect, certificate refused, timed out, too large

    // The header's value (names compared without case); empty when absent.
    std::string header(std::string_view name) const;
};

inline constexpr std::size_t kMostResponseBytes = 64u << 20;

class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual HttpResponse send(const HttpRequest& request) = 0;
};

struct Credentials {
    std::string user, password;
};

}  // namespace tavo::sync
