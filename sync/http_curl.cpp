#include "http_curl.h"

#include <curl/curl.h>

#include <memory>

namespace tavo::sync {
namespace {

constexpr long kConnectSeconds = 15;
constexpr long kSlowBytesPerSecond = 10, kSlowSeconds = 60;  // a stalled server ends the request

struct Received {
    HttpResponse* response;
    bool tooLarge = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto& r = *static_cast<Received*>(user);
    const size_t bytes = size * count;
    if (r.response->body.size() + bytes > kMostResponseBytes) {
        r.tooLarge = true;
        return 0;  // ends the transfer
    }
    r.response->body.append(data, bytes);
    return bytes;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto& r = *static_cast<Received*>(user);
    const std::string_view line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0) r.response->headers.clear();  // a new answer (after a redirect or 401)
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
        std::string_view value = line.substr(colon + 1);
        while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
        while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' ')) value.remove_suffix(1);
        r.response->headers.emplace_back(std::string(line.substr(0, colon)), std::string(value));
    }
    return size * count;
}

std::string errorText(CURLcode code) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST: return "サーバーの名前が見つかりません";
        case CURLE_COULDNT_CONNECT: return "サーバーに接続できません";
        case CURLE_OPERATION_TIMEDOUT: return "サーバーが応答しません (時間切れ)";
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CONNECT_ERROR: return "サーバーの証明書を確認できません";
        default: return std::string("通信に失敗しました: ") + curl_easy_strerror(code);
    }
}

}  // namespace

CurlHttpClient::CurlHttpClient(Credentials credentials) : credentials_(std::move(credentials)) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    curl_ = curl_easy_init();
}

CurlHttpClient::~CurlHttpClient() {
    if (curl_) curl_easy_cleanup(static_cast<CURL*>(curl_));
}

HttpResponse CurlHttpClient::send(const HttpRequest& request) {
    HttpResponse response;
    CURL* curl = static_cast<CURL*>(curl_);
    if (curl == nullptr) return {0, {}, {}, "通信の準備ができません"};
    curl_easy_reset(curl);
    Received received{&response};
    std::unique_ptr<curl_slist, void (*)(curl_slist*)> headers(nullptr, curl_slist_free_all);
    for (const auto& [name, value] : request.headers) headers.reset(curl_slist_append(headers.release(), (name + ": " + value).c_str()));
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    if (!request.body.empty() || request.method == "PUT") {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    if (request.method == "GET") curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &received);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_POSTREDIR, CURL_REDIR_POST_ALL);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kSlowBytesPerSecond);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kSlowSeconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    if (!credentials_.user.empty()) {
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_BASIC | CURLAUTH_DIGEST);
        curl_easy_setopt(curl, CURLOPT_USERNAME, credentials_.user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, credentials_.password.c_str());
    }
    const CURLcode code = curl_easy_perform(curl);
    if (received.tooLarge) return {0, {}, {}, "サーバーの応答が大きすぎます"};
    if (code != CURLE_OK) return {0, {}, {}, errorText(code)};
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    return response;
}

}  // namespace tavo::sync
