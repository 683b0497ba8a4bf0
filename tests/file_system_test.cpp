#include "shared/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <random>
#include <string>
#include <vector>

#include "shared/native_file_system.h"
#include "temp_folder.h"

namespace tavo {
namespace {

// Lines as the rule says, one byte at a time: LF, CR LF and a lone CR end a
// line; Ctrl-Z at the very end is dropped.
std::vector<std::string> referenceLines(std::string text) {
    while (!text.empty() && text.back() == '\x1A') text.pop_back();
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        line += text[i];
        const bool crLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if (crLf) continue;
        if (text[i] == '\n' || text[i] == '\r') lines.push_back(std::move(line)), line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> copies(const std::vector<std::string_view>& views) { return {views.begin(), views.end()}; }

TEST(FileLines, AgreeWithTheRuleOnEveryMixOfLineEnds) {
    const std::vector<std::string> fixed = {
        "", "a", "a\r\n", "a\rb", "a\r", "\r\n\r\n", "\n\r", "a\r\r\nb", "x\x1A\x1A", "\x1A", "a\nb\r\nc\rd",
        std::string(300, 'a') + "\r\n" + std::string(17, 'b') + "\r" + std::string(9, 'c'),
    };
    for (const std::string& text : fixed) EXPECT_EQ(copies(fileLines(text)), referenceLines(text)) << text;
    // Short and long runs, so that breaks fall on every position of an 8-byte word.
    std::mt19937 random(7);
    const char alphabet[] = {'a', '\r', '\n', '\x1A', '\x8A', '\x5C', ':', '\x8D'};  // 0x8D: CR with the high bit
    for (int round = 0; round < 4000; ++round) {
        std::string text(random() % (round % 9 == 0 ? 700 : 40), 'a');
        for (char& c : text) c = alphabet[random() % 8 < 5 ? 0 : random() % 8];
        ASSERT_EQ(copies(fileLines(text)), referenceLines(text)) << round;
    }
}

TEST(FileLines, IntoAUsedVectorGivesTheSame) {
    std::vector<std::string_view> lines;
    fileLinesInto(std::string_view("one\r\ntwo\r\nthree\r\n"), lines);
    fileLinesInto(std::string_view("x\ry"), lines);
    EXPECT_EQ(copies(lines), (std::vector<std::string>{"x\r", "y"}));
}

// The reader stops as soon as it has the size it was told; whatever the
// size, the content comes back whole, also into a buffer used before.
TEST(NativeFiles, ReadWholeAtEverySize) {
    test::TempFolder folder;
    const NativeFileSystem files;
    FileContent reused;
    for (const std::size_t size : {0u, 1u, 7u, 4096u, 65535u, 65536u, 65537u, 300000u, 3u}) {
        std::string bytes(size, 'x');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 26);
        folder.write("data.cal", bytes);
        const FileContent fresh = files.readFile(folder.path() + "\\data.cal");
        files.readFileInto(folder.path() + "\\data.cal", reused);
        for (const FileContent* read : {&fresh, static_cast<const FileContent*>(&reused)}) {
            EXPECT_TRUE(read->opened && read->complete && !read->missing) << size;
            EXPECT_EQ(read->content, bytes) << size;
            EXPECT_TRUE(read->problem.empty()) << size;
        }
    }
    files.readFileInto(folder.path() + "\\none.cal", reused);
    EXPECT_TRUE(reused.missing);
    EXPECT_FALSE(reused.opened || reused.complete);
    EXPECT_TRUE(reused.content.empty());
    // Past the bound (a sparse file: nothing is written to disk): refused
    // without reading, so no writer rewrites it from part of it.
    folder.write("huge.cal", "x");
    std::filesystem::resize_file(std::filesystem::path(folder.path()) / "huge.cal", kMostFileBytes + 1);
    const FileContent huge = files.readFile(folder.path() + "\\huge.cal");
    EXPECT_EQ(huge.problem, kProblemTooLarge);
    EXPECT_FALSE(readWhole(huge));
    EXPECT_LT(huge.content.size(), 2u);
}

}  // namespace
}  // namespace tavo
