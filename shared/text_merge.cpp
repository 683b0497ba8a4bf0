#include "text_merge.h"

#include "file_system.h"

namespace tavo {
namespace {

using Lines = std::vector<std::string_view>;

Lines linesOf(std::string_view text) {
    Lines out;
    for (std::string_view line : fileLines(text)) out.push_back(lineContent(line));
    return out;
}

// Longer texts are compared as one piece: the table below grows with the
// product of their line counts.
constexpr std::size_t kMostCells = 1u << 22;

// For each line of a, the line of b it stays as in a longest common
// subsequence, or -1 when it was changed or removed.
std::vector<long> matched(const Lines& a, const Lines& b) {
    std::vector<long> out(a.size(), -1);
    if (a.size() * b.size() > kMostCells) return out;
    const std::size_t w = b.size() + 1;
    std::vector<unsigned> length((a.size() + 1) * w, 0);
    for (std::size_t i = a.size(); i-- > 0;)
        for (std::size_t j = b.size(); j-- > 0;)
            length[i * w + j] = a[i] == b[j] ? length[(i + 1) * w + j + 1] + 1
                                             : std::max(length[(i + 1) * w + j], length[i * w + j + 1]);
    for (std::size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        if (a[i] == b[j]) out[i++] = static_cast<long>(j++);
        else if (length[(i + 1) * w + j] >= length[i * w + j + 1]) ++i;
        else ++j;
    }
    return out;
}

struct Chunk {
    std::size_t from, to;
};

bool same(const Lines& a, Chunk ca, const Lines& b, Chunk cb) {
    if (ca.to - ca.from != cb.to - cb.from) return false;
    for (std::size_t i = 0; i < ca.to - ca.from; ++i)
        if (a[ca.from + i] != b[cb.from + i]) return false;
    return true;
}

void append(std::string& out, const Lines& lines, Chunk c, std::string_view mark = {}) {
    for (std::size_t i = c.from; i < c.to; ++i) out.append(mark).append(lines[i]).append("\r\n");
}

}  // namespace

TextMerge mergeTexts(std::string_view baseText, std::string_view mineText, std::string_view theirsText) {
    const Lines base = linesOf(baseText), mine = linesOf(mineText), theirs = linesOf(theirsText);
    const std::vector<long> toMine = matched(base, mine), toTheirs = matched(base, theirs);
    TextMerge out;
    std::size_t i = 0, j = 0, k = 0;
    while (i <= base.size()) {
        // The next base line that both sides kept, or the end.
        std::size_t sync = i;
        while (sync < base.size() && (toMine[sync] < 0 || toTheirs[sync] < 0)) ++sync;
        const bool atEnd = sync == base.size();
        const Chunk b{i, sync}, m{j, atEnd ? mine.size() : static_cast<std::size_t>(toMine[sync])},
            t{k, atEnd ? theirs.size() : static_cast<std::size_t>(toTheirs[sync])};
        if (same(mine, m, base, b)) append(out.text, theirs, t);
        else if (same(theirs, t, base, b) || same(mine, m, theirs, t)) append(out.text, mine, m);
        else {
            append(out.text, mine, m);
            append(out.text, theirs, t, kConflictMark);
            out.conflict = true;
        }
        if (atEnd) break;
        append(out.text, base, {sync, sync + 1});
        i = sync + 1;
        j = static_cast<std::size_t>(toMine[sync]) + 1;
        k = static_cast<std::size_t>(toTheirs[sync]) + 1;
    }
    return out;
}

}  // namespace tavo
