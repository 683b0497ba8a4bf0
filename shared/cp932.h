// Conversions at the edges: all text at rest is CP932 (Shift-JIS) bytes.
#pragma once

#include <string>
#include <string_view>

namespace tavo {

// True when byte b starts a double-byte CP932 character.
constexpr bool isCp932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length in bytes of the longest prefix of text that fits in maxBytes
// without splitting a double-byte character.
std::size_t cp932FitLength(std::string_view text, std::size_t maxBytes);

// Copies text into a fixed field of size bytes: it ends at a NUL, is cut at a
// character boundary, is always terminated, and the rest of the field is zeroed.
void copyToField(char* field, std::size_t size, std::string_view text);

// The UTF-8 text with the characters code page 932 holds under another code
// point (U+301C, U+2212, U+2016, U+2014, U+00A2, U+00A3, U+00AC) written as
// it holds them (U+FF5E ...). utf8ToCp932 stores them so.
std::string withCp932Forms(std::string_view utf8);

// A byte code page 932 cannot decode becomes U+30FB "・", the code page's
// own default, which Windows shows for it and which code page 932 can store
// again; a character it cannot hold becomes '?'.
std::string cp932ToUtf8(std::string_view cp932);
std::string utf8ToCp932(std::string_view utf8);

#ifdef _WIN32
std::wstring cp932ToWide(std::string_view cp932);
std::string wideToCp932(std::wstring_view wide);
// The characters of wide that CP932 cannot hold (each once, in order): they
// would come back as other characters.
std::wstring unstorableInCp932(std::wstring_view wide);
#endif

}  // namespace tavo
