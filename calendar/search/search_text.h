// Finding a word in Japanese text as a user means it: full-width and
// half-width forms (Ａ/A, ｱ/ア, １/1), hiragana and katakana, and ASCII case
// are the same; a voiced mark after a kana makes one character (ｶﾞ = ガ =
// カ゛). Texts are Shift-JIS; a trail byte that looks like ASCII (表, ソ end in
// '\') is never taken for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavo {

// The folded form of a Shift-JIS text: each character as one code of all
// those that fold to it (ｱ, あ, ア as one; Ａ, a as one), two bytes each.
std::string foldForSearch(std::string_view cp932);
// Into room for two bytes a byte; returns the bytes written.
std::size_t foldForSearchInto(std::string_view cp932, char* out);

// Words separated by blanks (ASCII or full-width); a word in double quotes
// is matched as written, blanks included.
struct SearchQuery {
    std::vector<std::string> folded;  // folded Shift-JIS
    std::vector<std::string> exact;  // Shift-JIS
    bool empty() const { return folded.empty() && exact.empty(); }
    std::size_t words() const { return folded.size() + exact.size(); }
};
SearchQuery parseSearchQuery(std::string_view cp932);

// Whether a text holds the query's word `i` (folded words first, then exact ones).
bool holdsWord(std::string_view cp932, std::string_view folded, const SearchQuery& query, std::size_t i);

// Byte ranges of the text where any of the query's words stand, in order (to show them).
std::vector<std::pair<std::size_t, std::size_t>> searchMatches(std::string_view cp932, const SearchQuery& query);

}  // namespace tavo
