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

// Code page 932 has no character beyond the BMP: a surrogate pair is one
// character it lacks, replaced by one '?' as on every other platform.
std::wstring pairsAsOne(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
        out += pair ? L'?' : text[i];
        i += pair ? 1 : 0;
    }
    return out;
}

std::string fromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string toCp932(std::wstring_view text) { return fromWide(kCodePage, pairsAsOne(text)); }

}  // namespace

std::wstring cp932ToWide(std::string_view cp932) { return toWide(kCodePage, cp932); }
std::string wideToCp932(std::wstring_view wide) { return toCp932(wide); }
std::string cp932ToUtf8(std::string_view cp932) { return fromWide(CP_UTF8, toWide(kCodePage, cp932)); }
std::string utf8ToCp932(std::string_view utf8) { return toCp932(toWide(CP_UTF8, withCp932Forms(utf8))); }

std::wstring unstorableInCp932(std::wstring_view wide) {
    std::wstring found;
    for (std::size_t i = 0; i < wide.size();) {
        const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]);
        const std::wstring_view character = wide.substr(i, pair ? 2 : 1);
        i += character.size();
        if (toWide(kCodePage, fromWide(kCodePage, character)) != character && found.find(character) == std::wstring::npos)
            found += character;
    }
    return found;
}

}  // namespace tavo
