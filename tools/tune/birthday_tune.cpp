// Writes the default birthday sound, "Birthday.Mid", to standard output: a
// short tune of the project's own on a music box, as a format-0 Standard MIDI
// File. The checked-in resources/Birthday.Mid must be exactly this output.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// A variable-length quantity: seven bits a byte, high bit on all but the last.
void putDelta(Bytes& out, std::uint32_t ticks) {
    std::uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<std::uint8_t>(ticks & 0x7F);
        ticks >>= 7;
    } while (ticks != 0);
    while (n > 1) out.push_back(static_cast<std::uint8_t>(bytes[--n] | 0x80));
    out.push_back(bytes[0]);
}

struct Note {
    int pitch;  // MIDI note number, 0 for a rest
    int eighths;
};

// Eight bars in F major, 3/4: a rising greeting, an answer, and a close.
const Note kTune[] = {
    {65, 2}, {69, 1}, {72, 1}, {77, 2},  {76, 2}, {74, 1}, {72, 1}, {70, 2}, {69, 4},  {0, 2},
    {67, 2}, {70, 1}, {74, 1}, {79, 2},  {77, 2}, {76, 1}, {74, 1}, {72, 2}, {70, 4},  {0, 2},
    {69, 2}, {72, 2}, {77, 2}, {81, 3},  {79, 1}, {77, 2}, {76, 2}, {79, 2}, {77, 6},
};

constexpr int kTicksPerQuarter = 480;
constexpr int kEighth = kTicksPerQuarter / 2;

Bytes track() {
    Bytes t;
    const auto event = [&](std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        putDelta(t, delta);
        t.insert(t.end(), bytes);
    };
    event(0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // 500 000 us a quarter: 120 per minute
    event(0, {0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08});  // 3/4
    event(0, {0xC0, 10});                            // music box
    std::uint32_t pending = 0;
    for (const Note& n : kTune) {
        const std::uint32_t length = static_cast<std::uint32_t>(n.eighths * kEighth);
        if (n.pitch == 0) {
            pending += length;
            continue;
        }
        const auto pitch = static_cast<std::uint8_t>(n.pitch);
        event(pending, {0x90, pitch, 96});
        event(length - kEighth / 4, {0x80, pitch, 0});  // a little air between the notes
        pending = kEighth / 4;
    }
    event(pending, {0xFF, 0x2F, 0x00});  // end of track
    return t;
}

}  // namespace

int main() {
    Bytes file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, kTicksPerQuarter >> 8, kTicksPerQuarter & 0xFF};
    const Bytes t = track();
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    put32(file, static_cast<std::uint32_t>(t.size()));
    file.insert(file.end(), t.begin(), t.end());
    return std::fwrite(file.data(), 1, file.size(), stdout) == file.size() ? 0 : 1;
}
