// Rokuyo (六曜) and the lunar (old-calendar) date, from a constant table of
// lunar months generated ahead of time (tools/lunar).
#pragma once

namespace tavo {

enum Rokuyo : int {
    kTaian = 0,     // 大安
    kShakko = 1,    // 赤口
    kSensho = 2,    // 先勝
    kTomobiki = 3,  // 友引
    kSenbu = 4,     // 先負
    kButsumetsu = 5 // 仏滅
};

inline constexpr int kLunarFirstYear = 1873;
inline constexpr int kLunarLastYear = 2100;

struct LunarDate {
    int month = 0;  // 1..12
    int day = 0;    // 1..30
    bool leap = false;
};

bool insideLunarTable(int year);
// False outside the table's years.
bool lunarDateOf(int year, int month, int day, LunarDate& lunar);
// (lunar month + lunar day) mod 6; defined only where insideLunarTable(year) holds.
int rokuyoOf(int year, int month, int day);
// Index -1 (or any other out-of-range value) gives two blanks.
const char* rokuyoName(int index);

}  // namespace tavo
