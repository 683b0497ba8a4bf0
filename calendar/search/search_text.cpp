#include "search_text.h"

#include <algorithm>
#include <array>
#include <memory>

#include "shared/cp932.h"

namespace tavo {
namespace {

// U+FF61..U+FF9D, half-width, as their full-width forms.
constexpr char16_t kFullWidthKana[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";

char16_t foldOne(char16_t c) {
    if (c >= u'A' && c <= u'Z') return c + 32;
    if (c >= 0xFF01 && c <= 0xFF5E) return foldOne(static_cast<char16_t>(c - 0xFEE0));
    if (c == 0x3000) return u' ';
    if (c >= 0xFF61 && c <= 0xFF9D) return kFullWidthKana[c - 0xFF61];
    if (c == 0xFF9E || c == 0x3099) return 0x309B;  // voiced marks, half-width and combining
    if (c == 0xFF9F || c == 0x309A) return 0x309C;
    if (c >= 0x3041 && c <= 0x3096) return c + 0x60;  // hiragana
    if (c == 0x309D || c == 0x309E) return c + 0x60;  // ゝ ゞ
    return c;
}

// The kana a mark makes with the one before it; 0 when it makes none.
char16_t composed(char16_t kana, char16_t mark) {
    if (kana == u'ウ' && mark == 0x309B) return u'ヴ';
    const bool hToHo = kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0;
    if (mark == 0x309C) return hToHo ? kana + 2 : 0;
    const bool kaToTo = (kana >= u'カ' && kana <= u'チ' && (kana - u'カ') % 2 == 0) || kana == u'ツ' || kana == u'テ' || kana == u'ト';
    return kaToTo || hToHo ? kana + 1 : 0;
}

// Every Shift-JIS code folded (UTF-16), made once from the converter: one
// look-up a character; U+FFFD for a code that stands for nothing.
class Decoder {
public:
    Decoder() : table_(std::make_unique<std::array<char16_t, 65536>>()) {
        table_->fill(u'\uFFFD');
        for (unsigned code = 0; code < 65536; ++code) {
            const unsigned lead = code >> 8, trail = code & 0xFF;
            if (lead == 0 ? trail >= 0x80 && (trail < 0xA1 || trail > 0xDF) : !isCp932LeadByte(static_cast<unsigned char>(lead)) || trail < 0x40)
                continue;
            const char bytes[2] = {static_cast<char>(lead ? lead : trail), static_cast<char>(trail)};
            if (const char16_t unit = foldOne(firstUnit(cp932ToUtf8(std::string_view(bytes, lead ? 2 : 1))))) (*table_)[code] = unit;
        }
    }
    char16_t operator()(unsigned code) const { return (*table_)[code]; }

private:
    static char16_t firstUnit(const std::string& utf8) {
        if (utf8.empty()) return 0;
        const auto b = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
        if (b(0) < 0x80) return b(0);
        if (b(0) < 0xE0 && utf8.size() >= 2) return static_cast<char16_t>((b(0) & 0x1F) << 6 | (b(1) & 0x3F));
        if (utf8.size() >= 3) return static_cast<char16_t>((b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F));
        return 0;
    }
    std::unique_ptr<std::array<char16_t, 65536>> table_;
};

const Decoder& decoder() {
    static const Decoder d;
    return d;
}

// Folds into `out`, which has room for a unit a byte (a mark composes only
// with a character of this text), with where each unit came from (its first
// byte). Returns the end of what it wrote.
template <bool kTrack>
char16_t* fold(std::string_view cp932, char16_t* const out, std::vector<std::size_t>* from) {
    const Decoder& decode = decoder();
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp932.data());
    char16_t* unit = out;
    for (std::size_t i = 0, size = cp932.size(); i < size;) {
        const bool two = isCp932LeadByte(bytes[i]) && i + 1 < size;
        const char16_t c = decode(two ? bytes[i] << 8 | bytes[i + 1] : bytes[i]);
        if constexpr (kTrack) from->push_back(i);
        i += two ? 2 : 1;
        if (static_cast<char16_t>(c - 0x309B) < 2 && unit > out)  // a voiced mark
            if (const char16_t both = composed(unit[-1], c)) {
                unit[-1] = both;
                if constexpr (kTrack) from->pop_back();
                continue;
            }
        *unit++ = c;
    }
    if constexpr (kTrack) from->push_back(cp932.size());
    return unit;
}

std::u16string folded(std::string_view cp932, std::vector<std::size_t>* from) {
    std::u16string out(cp932.size(), u'\0');
    char16_t* const end = from ? fold<true>(cp932, out.data(), from) : fold<false>(cp932, out.data(), nullptr);
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

// Whether a byte offset starts a character.
bool startsCharacter(std::string_view cp932, std::size_t at) {
    std::size_t i = 0;
    while (i < at) i += isCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    return i == at;
}

std::size_t findExact(std::string_view cp932, std::string_view word, std::size_t from) {
    for (std::size_t at = cp932.find(word, from); at != std::string_view::npos; at = cp932.find(word, at + 1))
        if (startsCharacter(cp932, at)) return at;
    return std::string_view::npos;
}

bool blank(std::string_view cp932, std::size_t at) {
    return cp932[at] == ' ' || cp932[at] == '\t' || cp932.substr(at, 2) == "\x81\x40";
}

}  // namespace

std::size_t foldForSearchInto(std::string_view cp932, char16_t* out) { return static_cast<std::size_t>(fold<false>(cp932, out, nullptr) - out); }

std::u16string foldForSearch(std::string_view cp932) { return folded(cp932, nullptr); }

SearchQuery parseSearchQuery(std::string_view cp932) {
    SearchQuery query;
    for (std::size_t i = 0; i < cp932.size();) {
        if (blank(cp932, i)) {
            i += cp932[i] == '\x81' ? 2 : 1;
            continue;
        }
        std::size_t end = i;
        const bool quoted = cp932[i] == '"';
        if (quoted) end = cp932.find('"', i + 1);
        else
            while (end < cp932.size() && !blank(cp932, end)) end += isCp932LeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
        end = std::min(end, cp932.size());
        const std::string_view word = cp932.substr(i + (quoted ? 1 : 0), end - i - (quoted ? 1 : 0));
        if (!word.empty() && quoted) query.exact.emplace_back(word);
        else if (!word.empty()) query.folded.push_back(foldForSearch(word));
        i = end + (quoted && end < cp932.size() ? 1 : 0);
    }
    return query;
}

bool holdsWord(std::string_view cp932, std::u16string_view folded, const SearchQuery& query, std::size_t i) {
    if (i < query.folded.size()) return folded.find(query.folded[i]) != std::u16string_view::npos;
    return findExact(cp932, query.exact[i - query.folded.size()], 0) != std::string_view::npos;
}

std::vector<std::pair<std::size_t, std::size_t>> searchMatches(std::string_view cp932, const SearchQuery& query) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::vector<std::size_t> from;
    const std::u16string text = folded(cp932, &from);
    for (const std::u16string& word : query.folded)
        for (std::size_t at = text.find(word); at != std::u16string::npos && !word.empty(); at = text.find(word, at + 1))
            ranges.push_back({from[at], from[at + word.size()]});
    for (const std::string& word : query.exact)
        for (std::size_t at = findExact(cp932, word, 0); at != std::string_view::npos; at = findExact(cp932, word, at + 1))
            ranges.push_back({at, at + word.size()});
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

}  // namespace tavo
