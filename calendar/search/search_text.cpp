#include "search_text.h"

#include <algorithm>
#include <array>
#include <cstring>
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
    if (mark != 0x309B && mark != 0x309C) return 0;
    if (kana == u'ウ' && mark == 0x309B) return u'ヴ';
    const bool hToHo = kana >= u'ハ' && kana <= u'ホ' && (kana - u'ハ') % 3 == 0;
    if (mark == 0x309C) return hToHo ? kana + 2 : 0;
    const bool kaToTo = (kana >= u'カ' && kana <= u'チ' && (kana - u'カ') % 2 == 0) || kana == u'ツ' || kana == u'テ' || kana == u'ト';
    return kaToTo || hToHo ? kana + 1 : 0;
}

// Every Shift-JIS code folded, made once from the converter: its character
// (UTF-16), and as the folded text holds it, the last code of all that fold
// to the same character. A folded text is two bytes a character (big-endian
// codes, a single byte's with a zero first), matched byte for byte at even
// places: no trail byte can be taken for a character's start.
class Folder {
public:
    Folder() : unit_(std::make_unique<Table>()), last_(std::make_unique<Table>()), folded_(std::make_unique<Table>()) {
        unit_->fill(u'\uFFFD');
        for (unsigned code = 0; code < 65536; ++code) {
            const unsigned lead = code >> 8, trail = code & 0xFF;
            if (lead == 0 ? trail >= 0x80 && (trail < 0xA1 || trail > 0xDF) : !isCp932LeadByte(static_cast<unsigned char>(lead)) || trail < 0x40)
                continue;
            const char bytes[2] = {static_cast<char>(lead ? lead : trail), static_cast<char>(trail)};
            if (const char16_t unit = foldOne(firstUnit(cp932ToUtf8(std::string_view(bytes, lead ? 2 : 1))))) (*unit_)[code] = unit;
        }
        for (unsigned code = 0; code < 65536; ++code) (*last_)[unit(code)] = static_cast<char16_t>(code);
        for (unsigned code = 0; code < 65536; ++code) (*folded_)[code] = (*last_)[unit(code)];
        voiced_ = (*last_)[0x309B], semiVoiced_ = (*last_)[0x309C];
    }
    const char16_t* table() const { return folded_->data(); }  // by code
    char16_t voiced() const { return voiced_; }
    char16_t semiVoiced() const { return semiVoiced_; }
    // What a mark makes with the character before it; 0 when nothing.
    char16_t joined(char16_t before, char16_t mark) const {
        const char16_t both = composed(unit(before), unit(mark));
        return both ? (*last_)[both] : 0;
    }

private:
    using Table = std::array<char16_t, 65536>;
    char16_t unit(unsigned code) const { return (*unit_)[code]; }
    static char16_t firstUnit(const std::string& utf8) {
        if (utf8.empty()) return 0;
        const auto b = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
        if (b(0) < 0x80) return b(0);
        if (b(0) < 0xE0 && utf8.size() >= 2) return static_cast<char16_t>((b(0) & 0x1F) << 6 | (b(1) & 0x3F));
        if (utf8.size() >= 3) return static_cast<char16_t>((b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F));
        return 0;
    }
    std::unique_ptr<Table> unit_, last_, folded_;
    char16_t voiced_ = 0, semiVoiced_ = 0;
};

const Folder& folder() {
    static const Folder f;
    return f;
}

// Folds into `out`, which has room for two bytes a byte, with where each
// folded character came from (its first byte). A mark joins only a
// character of this text. Returns the end written.
template <bool kTrack>
char* fold(std::string_view cp932, char* const out, std::vector<std::size_t>* from) {
    const Folder& f = folder();
    const char16_t* const table = f.table();  // held here: the bytes written could alias the folder's members
    const char16_t voiced = f.voiced(), semiVoiced = f.semiVoiced();
    const auto* bytes = reinterpret_cast<const unsigned char*>(cp932.data());
    auto* const first = reinterpret_cast<unsigned char*>(out);
    unsigned char* at = first;
    const auto put = [&](char16_t folded, std::size_t start) {
        if constexpr (kTrack) from->push_back(start);
        if ((folded == voiced || folded == semiVoiced) && at != first)
            if (const char16_t both = f.joined(static_cast<char16_t>(at[-2] << 8 | at[-1]), folded)) {
                at[-2] = static_cast<unsigned char>(both >> 8), at[-1] = static_cast<unsigned char>(both);
                if constexpr (kTrack) from->pop_back();
                return;
            }
        at[0] = static_cast<unsigned char>(folded >> 8), at[1] = static_cast<unsigned char>(folded);
        at += 2;
    };
    // Two-byte characters come in runs: a branch per character the processor
    // foresees, not a step that waits for each byte read.
    const std::size_t size = cp932.size();
    for (std::size_t i = 0; i < size;) {
        for (; i + 1 < size && isCp932LeadByte(bytes[i]); i += 2) put(table[bytes[i] << 8 | bytes[i + 1]], i);
        for (; i < size && !(i + 1 < size && isCp932LeadByte(bytes[i])); ++i) put(table[bytes[i]], i);
    }
    if constexpr (kTrack) from->push_back(cp932.size());
    return reinterpret_cast<char*>(at);
}

std::string folded(std::string_view cp932, std::vector<std::size_t>* from) {
    std::string out(cp932.size() * 2, '\0');
    char* const end = from ? fold<true>(cp932, out.data(), from) : fold<false>(cp932, out.data(), nullptr);
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

// Where a folded word stands in a folded text, from an even place. Looks
// for its first character's second byte: first bytes are few (all kana
// share one), second ones many.
std::size_t findFolded(std::string_view text, std::string_view word, std::size_t from) {
    if (word.size() < 2 || text.size() < word.size()) return std::string_view::npos;
    const char* const begin = text.data();
    const char* const last = begin + text.size() - word.size() + 1;  // past the last place the word can start
    for (const char* at = begin + from; at < last;) {
        const auto* anchor = static_cast<const char*>(std::memchr(at + 1, word[1], static_cast<std::size_t>(last - at)));
        if (!anchor) break;
        const char* const start = anchor - 1;
        if ((start - begin) % 2 == 0 && std::memcmp(start, word.data(), word.size()) == 0) return static_cast<std::size_t>(start - begin);
        at = anchor;
    }
    return std::string_view::npos;
}

std::size_t nextCharacter(std::string_view cp932, std::size_t at) { return at + (isCp932LeadByte(static_cast<unsigned char>(cp932[at])) ? 2 : 1); }

// The first place from `from` (a character's start) where the word stands
// at a character's start.
std::size_t findExact(std::string_view cp932, std::string_view word, std::size_t from) {
    std::size_t character = from;
    for (std::size_t at = cp932.find(word, from); at != std::string_view::npos; at = cp932.find(word, at + 1)) {
        while (character < at) character += isCp932LeadByte(static_cast<unsigned char>(cp932[character])) ? 2 : 1;
        if (character == at) return at;
    }
    return std::string_view::npos;
}

bool blank(std::string_view cp932, std::size_t at) {
    return cp932[at] == ' ' || cp932[at] == '\t' || cp932.substr(at, 2) == "\x81\x40";
}

}  // namespace

std::size_t foldForSearchInto(std::string_view cp932, char* out) { return static_cast<std::size_t>(fold<false>(cp932, out, nullptr) - out); }

std::string foldForSearch(std::string_view cp932) { return folded(cp932, nullptr); }

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

bool holdsWord(std::string_view cp932, std::string_view folded, const SearchQuery& query, std::size_t i) {
    if (i < query.folded.size()) return findFolded(folded, query.folded[i], 0) != std::string_view::npos;
    return findExact(cp932, query.exact[i - query.folded.size()], 0) != std::string_view::npos;
}

std::vector<std::pair<std::size_t, std::size_t>> searchMatches(std::string_view cp932, const SearchQuery& query) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::vector<std::size_t> from;
    const std::string text = folded(cp932, &from);
    for (const std::string& word : query.folded)
        for (std::size_t at = findFolded(text, word, 0); at != std::string::npos && !word.empty(); at = findFolded(text, word, at + 2))
            ranges.push_back({from[at / 2], from[(at + word.size()) / 2]});
    for (const std::string& word : query.exact)
        for (std::size_t at = findExact(cp932, word, 0); at != std::string_view::npos; at = findExact(cp932, word, nextCharacter(cp932, at)))
            ranges.push_back({at, at + word.size()});
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

}  // namespace tavo
