#include <windows.h>

#include "cp932.h"

namespace tavo {
namespace {

constexpr UINT kCodePage = 932;

std::wstring toWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string fromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring cp932ToWide(std::string_view cp932) { return toWide(kCodePage, cp932); }
std::string wideToCp932(std::wstring_view wide) { return fromWide(kCodePage, wide); }
std::string cp932ToUtf8(std::string_view cp932) { return fromWide(CP_UTF8, toWide(kCodePage, cp932)); }
std::string utf8ToCp932(std::string_view utf8) { return fromWide(kCodePage, toWide(CP_UTF8, utf8)); }

}  // namespace tavo
