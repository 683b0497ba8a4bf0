#include "http_winhttp.h"

#include <windows.h>
#include <winhttp.h>

#include <memory>

#include "win/system_library.h"

namespace tavo::sync {
namespace {

constexpr int kTimeoutMilliseconds = 60000;


// WinHTTP is loaded on first use: the calendar's start does not pay for it.
struct WinHttpApi {
    decltype(&::WinHttpOpen) open = win::systemFunction<decltype(::WinHttpOpen)>(L"winhttp.dll", "WinHttpOpen");
    decltype(&::WinHttpCloseHandle) closeHandle = win::systemFunction<decltype(::WinHttpCloseHandle)>(L"winhttp.dll", "WinHttpCloseHandle");
    decltype(&::WinHttpSetTimeouts) setTimeouts = win::systemFunction<decltype(::WinHttpSetTimeouts)>(L"winhttp.dll", "WinHttpSetTimeouts");
    decltype(&::WinHttpCrackUrl) crackUrl = win::systemFunction<decltype(::WinHttpCrackUrl)>(L"winhttp.dll", "WinHttpCrackUrl");
    decltype(&::WinHttpConnect) connect = win::systemFunction<decltype(::WinHttpConnect)>(L"winhttp.dll", "WinHttpConnect");
    decltype(&::WinHttpOpenRequest) openRequest = win::systemFunction<decltype(::WinHttpOpenRequest)>(L"winhttp.dll", "WinHttpOpenRequest");
    decltype(&::WinHttpSendRequest) sendRequest = win::systemFunction<decltype(::WinHttpSendRequest)>(L"winhttp.dll", "WinHttpSendRequest");
    decltype(&::WinHttpReceiveResponse) receiveResponse = win::systemFunction<decltype(::WinHttpReceiveResponse)>(L"winhttp.dll", "WinHttpReceiveResponse");
    decltype(&::WinHttpQueryHeaders) queryHeaders = win::systemFunction<decltype(::WinHttpQueryHeaders)>(L"winhttp.dll", "WinHttpQueryHeaders");
    decltype(&::WinHttpQueryAuthSchemes) queryAuthSchemes = win::systemFunction<decltype(::WinHttpQueryAuthSchemes)>(L"winhttp.dll", "WinHttpQueryAuthSchemes");
    decltype(&::WinHttpSetCredentials) setCredentials = win::systemFunction<decltype(::WinHttpSetCredentials)>(L"winhttp.dll", "WinHttpSetCredentials");
    decltype(&::WinHttpQueryDataAvailable) queryDataAvailable = win::systemFunction<decltype(::WinHttpQueryDataAvailable)>(L"winhttp.dll", "WinHttpQueryDataAvailable");
    decltype(&::WinHttpReadData) readData = win::systemFunction<decltype(::WinHttpReadData)>(L"winhttp.dll", "WinHttpReadData");
    bool loaded() const {
        return open && closeHandle && setTimeouts && crackUrl && connect && openRequest && sendRequest && receiveResponse && queryHeaders && queryAuthSchemes && setCredentials && queryDataAvailable && readData;
    }
};

const WinHttpApi& api() {
    static const WinHttpApi loaded;
    return loaded;
}

void closeHandle(HINTERNET handle) { api().closeHandle(handle); }
using Handle = std::unique_ptr<void, decltype(&closeHandle)>;

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
    api().queryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &bytes, WINHTTP_NO_HEADER_INDEX);
    std::wstring raw(bytes / sizeof(wchar_t) + 1, L'\0');
    if (!api().queryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX, raw.data(), &bytes, WINHTTP_NO_HEADER_INDEX))
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
    while (api().queryDataAvailable(request, &available) && available > 0) {
        if (body.size() + available > kMostResponseBytes) return false;
        const std::size_t at = body.size();
        body.resize(at + available);
        DWORD read = 0;
        if (!api().readData(request, body.data() + at, available, &read)) break;
        body.resize(at + read);
    }
    return true;
}

}  // namespace

WinHttpClient::WinHttpClient(Credentials credentials)
    : credentials_(std::move(credentials)),
      session_(nullptr) {
    if (!api().loaded()) return;
    session_ = api().open(L"Tavo", WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (session_ == nullptr)  // before Windows 8.1: the proxy as configured
        session_ = api().open(L"Tavo", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (session_) api().setTimeouts(session_, kTimeoutMilliseconds, kTimeoutMilliseconds, kTimeoutMilliseconds, kTimeoutMilliseconds);
}

WinHttpClient::~WinHttpClient() {
    if (session_) api().closeHandle(session_);
}

// One exchange on a request handle of its own; the credentials go with it
// from the start once the server has named its scheme.
HttpResponse WinHttpClient::exchange(void* connection, const std::wstring& path, bool secure, const HttpRequest& r) {
    Handle request(api().openRequest(connection, wide(r.method).c_str(), path.empty() ? L"/" : path.c_str(), nullptr,
                                     WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0),
                   closeHandle);
    if (!request) return {0, {}, {}, errorText(GetLastError())};
    if (scheme_ != 0)
        api().setCredentials(request.get(), WINHTTP_AUTH_TARGET_SERVER, scheme_, wide(credentials_.user).c_str(),
                             wide(credentials_.password).c_str(), nullptr);
    std::wstring headers;
    for (const auto& [name, value] : r.headers) headers += wide(name) + L": " + wide(value) + L"\r\n";
    if (!api().sendRequest(request.get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                           static_cast<DWORD>(headers.size()), const_cast<char*>(r.body.data()), static_cast<DWORD>(r.body.size()),
                           static_cast<DWORD>(r.body.size()), 0) ||
        !api().receiveResponse(request.get(), nullptr))
        return {0, {}, {}, errorText(GetLastError())};
    DWORD status = 0, size = sizeof status;
    api().queryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX, &status,
                       &size, WINHTTP_NO_HEADER_INDEX);
    DWORD schemes = 0, first = 0, target = 0;
    if (status == 401 && scheme_ == 0 && !credentials_.user.empty() &&
        api().queryAuthSchemes(request.get(), &schemes, &first, &target))
        scheme_ = (schemes & WINHTTP_AUTH_SCHEME_DIGEST) ? WINHTTP_AUTH_SCHEME_DIGEST : WINHTTP_AUTH_SCHEME_BASIC;
    HttpResponse response{static_cast<int>(status), headersOf(request.get()), {}, {}};
    if (!readBody(request.get(), response.body)) return {0, {}, {}, "サーバーの応答が大きすぎます"};
    return response;
}

HttpResponse WinHttpClient::send(const HttpRequest& r) {
    if (session_ == nullptr) return {0, {}, {}, "通信の準備ができません"};
    const std::wstring url = wide(r.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!api().crackUrl(url.c_str(), 0, 0, &parts)) return {0, {}, {}, "URL が正しくありません: " + r.url};
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    const std::wstring path = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) + std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    Handle connection(api().connect(session_, host.c_str(), parts.nPort, 0), closeHandle);
    if (!connection) return {0, {}, {}, errorText(GetLastError())};
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    HttpResponse response;
    // Again with the credentials after a 401 that named the scheme; again once
    // after a connection the server closed (some answer 401 before reading the body).
    for (int attempt = 0, dropped = 0; attempt < 3; ++attempt) {
        const DWORD schemeBefore = scheme_;
        response = exchange(connection.get(), path, secure, r);
        if (response.status == 401 && scheme_ != schemeBefore) continue;
        if (response.status == 0 && dropped++ == 0) continue;
        break;
    }
    return response;
}

}  // namespace tavo::sync
