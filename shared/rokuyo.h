// Rokuyo (六曜): the six-day almanac cycle, from a constant lunar table.
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

inline constexpr int kLunarFirstYear = 1994;
inline constexpr int kLunarLastYear = 2020;

bool insideLunarTable(int year);
// Defined only where insideLunarTable(year) holds.
int rokuyoOf(int year, int month, int day);
// Index -1 (or any other out-of-range value) gives two blanks.
const char* rokuyoName(int index);

}  // namespace tavo
