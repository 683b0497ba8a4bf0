#include "jump_date.h"

#include "shared/calendar_date.h"
#include "shared/era.h"

namespace tavo {
namespace {

const JumpEra kEras[] = {
    {"西暦", 0, 0, 0, 0, 1582, 9999},           {"令和", 2018, 2019, 5, 1, 1, 99},
    {"平成", 1988, 1989, 1, 8, 1, 99},          {"昭和", 1925, 1926, 12, 25, 1, 64},
    {"大正", 1911, 1912, 7, 30, 1, 15},         {"明治", 1867, 1868, 9, 8, 1, 45},
    {"慶応", 1864, 1865, 4, 7, 1, 4},
};
constexpr int kEraCountInList = sizeof kEras / sizeof kEras[0];

bool startsOnOrBefore(const JumpEra& e, int y, int m, int d) {
    if (e.firstYear != y) return e.firstYear < y;
    if (e.firstMonth != m) return e.firstMonth < m;
    return e.firstDay <= d;
}

}  // namespace

int jumpEraCount() { return kEraCountInList; }
const JumpEra& jumpEra(int index) { return kEras[index >= 0 && index < kEraCountInList ? index : 0]; }

int jumpEraOf(int year, int month, int day) {
    for (int i = 1; i < kEraCountInList; ++i)
        if (startsOnOrBefore(kEras[i], year, month, day)) return i;
    return 0;
}

void initJump(JumpState& state, int year, int month, int day, int yearStyle) {
    state.western = year;
    if (yearStyle == 2 || yearStyle == 3) {
        state.era = 0;
        state.year = year;
    } else if (yearStyle == 0 || yearStyle == 1 || yearStyle == 4) {
        state.era = jumpEraOf(year, month, day);
        state.year = year - jumpEra(state.era).offset;
    }
}

void changeJumpEra(JumpState& state, int era, int fieldYear) {
    state.era = era;
    const JumpEra& e = jumpEra(era);
    if (era == 0) {
        state.year = fieldYear < 1582 ? state.western : fieldYear;
        return;
    }
    if (fieldYear > e.highest) {
        // The field holds a Western year: its era year when it lies in this era.
        const int holding = jumpEraOf(fieldYear, 1, 1);
        state.year = holding == era ? fieldYear - e.offset : e.highest;
    } else {
        state.year = fieldYear;
    }
    state.western = state.year + e.offset;
}

JumpOutcome confirmJump(const JumpState& state, int month, int day, int days) {
    JumpOutcome out;
    const int year = state.year + jumpEra(state.era).offset;
    CalendarDate date(year, month, day);
    switch (date.checkDate()) {
        case kDateBadMonth: out.focus = JumpFocus::Month; return out;
        case kDateBadDay: out.focus = JumpFocus::Day; return out;
        case kDateYearTooSmall: return {false, 928, JumpFocus::Year};
        case kDateBeforeOctober1582: return {false, 928, JumpFocus::Month};
        case kDateBeforeGregorianStart: return {false, 928, JumpFocus::Day};
        default: break;
    }
    if (days != 0 && date.checkDate() == kDateOk) {
        const AddDaysResult moved = date.addDays(days);
        if (moved == kAddDaysHitEnd) return {false, 929, JumpFocus::Days};
        if (moved == kAddDaysBeforeStart) return {false, 930, JumpFocus::Days};
    }
    const DateCheck check = date.checkDate();
    if (check == kDateYearTooLarge) return {false, 929, JumpFocus::Days};
    if (check != kDateOk) return {false, 930, JumpFocus::Days};
    return {true, 0, JumpFocus::None, date.year(), date.month(), date.day()};
}

EntryYear confirmEntryYear(bool withYear, int era, std::string_view typed) {
    while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
    while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
    if (!withYear || typed.empty()) return {true, 0, nullptr};
    int number = 0;
    for (char c : typed) {
        if (c < '0' || c > '9' || number > 99999) return {false, 0, "年は数字で入力してください."};
        number = number * 10 + (c - '0');
    }
    const JumpEra& e = jumpEra(era);
    if (era != 0 && number < 1) return {false, 0, "元号の年は 1 以上で入力してください."};
    const int year = era != 0 && number <= e.highest ? number + e.offset : number;
    if (year < 1582 || year > 9999) return {false, 0, "年は西暦 1582 年から 9999 年までの範囲で入力してください."};
    return {true, year, nullptr};
}

}  // namespace tavo
