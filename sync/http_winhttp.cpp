#include "http_winhttp.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

namespace tavo::sync {
namespace {

constexpr int kTimeoutMilliseconds = 60000;

using Handle = std::unique_ptr<void, decltype(&WinHttpCloseHandle)>;

std::wstring wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string errorText(DWORD error) {
    switch (error) {
        case ERROR_WINHTTP_NAME_NOT_RESOLVED: return "サーバーの名前が見つかりません";
        case ERROR_WINHTTP_CANNOT_CONNECT: return "サーバーに接続できません";
        case ERROR_WINHTTP_TIMEOUT: return "サーバーが応答しません (時間切れ)";
        case ERROR_WINHTTP_SECURE_FAILURE:
        case ERROR_WINHTTP_SECURE_INVALID_CA:
        case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
        case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID: return "サーバーの証明書を確認できません";
        default: return "通信に失敗しました (" + std::to_string(error) + ")";
    }
}

HttpHeaders headersOf(HINTERNET request) {
    DWORD bytes = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &bytes, WINHTTP_NO_HEADER_INDEX);
    std::wstring raw(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, raw.data(), &bytes, WINHTTP_NO_HEADER_INDEX))
        return {};
    raw.resize(bytes / sizeof(wchar_t));
    HttpHeaders headers;
    for (std::size_t at = 0; at < raw.size();) {
        std::size_t end = raw.find(L"\r\n", at);
        if (end == std::wstring::npos) end = raw.size();
        const std::wstring line = raw.substr(at, end - at);
        if (const std::size_t colon = line.find(L':'); colon != std::wstring::npos) {
            std::size_t value = colon + 1;
            while (value < line.size() && line[value] == L' ') ++value;
            headers.emplace_back(narrow(line.substr(0, colon)), narrow(line.substr(value)));
        }
        at = end + 2;
    }
    return headers;
}

// The body, at most kMostResponseBytes; false when it was larger.
bool readBody(HINTERNET request, std::string& body) {
    DWORD available = 0;
    while (WinHttpQueryDataAvailable(request, &available) && available > 0) {
        if (body.size() + available > kMostResponseBytes) return false;
        const std::size_t at = body.size();
        body.resize(at + available);
        DWORD read = 0;
        if (!WinHttpReadData(request, body.data() + at, available, &read)) break;
        body.resize(at + read);
    }
    return true;
}

}  // namespace

WinHttpClient::WinHttpClient(Credentials credentials)
    : credentials_(std::move(credentials)),
      session_(WinHttpOpen(L"Tavo", WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)) {
    if (session_ == nullptr)  // before Windows 8.1: the proxy as configured
        session_ = WinHttpOpen(L"Tavo", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (session_) WinHttpSetTimeouts(session_, kTimeoutMilliseconds, kTimeoutMilliseconds, kTimeoutMilliseconds, kTimeoutMilliseconds);
}

WinHttpClient::~WinHttpClient() {
    if (session_) WinHttpCloseHandle(session_);
}

HttpResponse WinHttpClient::send(const HttpRequest& r) {
    if (session_ == nullptr) return {0, {}, {}, errorText(GetLastError())};
    const std::wstring url = wide(r.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return {0, {}, {}, "URL が正しくありません: " + r.url};
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) + std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    Handle connection(WinHttpConnect(session_, host.c_str(), parts.nPort, 0), WinHttpCloseHandle);
    if (!connection) return {0, {}, {}, errorText(GetLastError())};
    Handle request(WinHttpOpenRequest(connection.get(), wide(r.method).c_str(), path.empty() ? L"/" : path.c_str(), nullptr,
                                      WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                      parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0),
                   WinHttpCloseHandle);
    if (!request) return {0, {}, {}, errorText(GetLastError())};
    std::wstring headers;
    for (const auto& [name, value] : r.headers) headers += wide(name) + L": " + wide(value) + L"\r\n";
    // Sent again once with the credentials when the server asks for them (401).
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!WinHttpSendRequest(request.get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                                static_cast<DWORD>(headers.size()), const_cast<char*>(r.body.data()),
                                static_cast<DWORD>(r.body.size()), static_cast<DWORD>(r.body.size()), 0) ||
            !WinHttpReceiveResponse(request.get(), nullptr))
            return {0, {}, {}, errorText(GetLastError())};
        DWORD status = 0, size = sizeof status;
        WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                            &status, &size, WINHTTP_NO_HEADER_INDEX);
        DWORD schemes = 0, first = 0, target = 0;
        if (status == 401 && attempt == 0 && !credentials_.user.empty() &&
            WinHttpQueryAuthSchemes(request.get(), &schemes, &first, &target)) {
            const DWORD scheme = (schemes & WINHTTP_AUTH_SCHEME_DIGEST) ? WINHTTP_AUTH_SCHEME_DIGEST : WINHTTP_AUTH_SCHEME_BASIC;
            std::string ignored;
            readBody(request.get(), ignored);
            WinHttpSetCredentials(request.get(), target, scheme, wide(credentials_.user).c_str(), wide(credentials_.password).c_str(), nullptr);
            continue;
        }
        HttpResponse response{static_cast<int>(status), headersOf(request.get()), {}, {}};
        if (!readBody(request.get(), response.body)) return {0, {}, {}, "サーバーの応答が大きすぎます"};
        return response;
    }
    return {401, {}, {}, {}};
}

}  // namespace tavo::sync
