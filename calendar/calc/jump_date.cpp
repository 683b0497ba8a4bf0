#include "jump_date.h"

#include <algorithm>

#include "shared/calendar_date.h"
#include "shared/date_math.h"
#include "shared/era.h"

namespace tavo {
namespace {

const JumpEra kEras[] = {
    {"西暦", 0, 0, 0, 0, 1582, 9999},           {"令和", 2018, 2019, 5, 1, 1, 99},
    {"平成", 1988, 1989, 1, 8, 1, 31},          {"昭和", 1925, 1926, 12, 25, 1, 64},
    {"大正", 1911, 1912, 7, 30, 1, 15},         {"明治", 1867, 1868, 9, 8, 1, 45},
    {"慶応", 1864, 1865, 4, 7, 1, 4},
};
constexpr int kEraCountInList = sizeof kEras / sizeof kEras[0];

bool startsOnOrBefore(const JumpEra& e, int y, int m, int d) {
    if (e.firstYear != y) return e.firstYear < y;
    if (e.firstMonth != m) return e.firstMonth < m;
    return e.firstDay <= d;
}

JumpOutcome refused(int errorString, JumpFocus focus) {
    JumpOutcome out;
    out.errorString = errorString;
    out.focus = focus;
    return out;
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
    const JumpEra& was = jumpEra(state.era < 0 ? 0 : state.era);
    int western = state.era <= 0 || fieldYear > was.highest ? fieldYear : fieldYear + was.offset;
    if (western < kFirstYear || western > kLastYear) western = state.western;  // nothing usable in the field
    const JumpEra& e = jumpEra(era);
    state.era = era;
    state.year = era == 0 ? western : std::clamp(western - e.offset, e.lowest, e.highest);
    state.western = state.year + e.offset;
}

void settleJumpYear(JumpState& state, int month, int day) {
    const JumpEra& e = jumpEra(state.era);
    if (state.era <= 0 || state.year <= e.highest || state.year < kFirstYear || state.year > kLastYear) return;
    state.western = state.year;
    state.era = jumpEraOf(state.western, month, day);
    state.year = state.western - jumpEra(state.era).offset;
}

std::string eraRangeText(int era) {
    const JumpEra& e = jumpEra(era);
    return std::string(e.name) + "は" + std::to_string(e.lowest) + "年から" + std::to_string(e.highest) + "年まで(西暦" +
           std::to_string(e.lowest + e.offset) + "年から" + std::to_string(e.highest + e.offset) + "年まで)です。";
}

JumpOutcome confirmJump(const JumpState& state, int month, int day, int days) {
    JumpOutcome out;
    const JumpEra& e = jumpEra(state.era);
    const bool western = state.era > 0 && state.year > e.highest && state.year >= kFirstYear;  // typed as a Western year
    if (state.era > 0 && !western && (state.year < e.lowest || state.year > e.highest)) {
        out.problem = eraRangeText(state.era);
        out.focus = JumpFocus::Year;
        return out;
    }
    const int year = western ? state.year : state.year + e.offset;
    CalendarDate date(year, month, day);
    switch (date.checkDate()) {
        case kDateBadMonth: out.focus = JumpFocus::Month; return out;
        case kDateBadDay: out.focus = JumpFocus::Day; return out;
        case kDateYearTooSmall: return refused(928, JumpFocus::Year);
        case kDateBeforeOctober1582: return refused(928, JumpFocus::Month);
        case kDateBeforeGregorianStart: return refused(928, JumpFocus::Day);
        default: break;
    }
    if (days != 0 && date.checkDate() == kDateOk) {
        const AddDaysResult moved = date.addDays(days);
        if (moved == kAddDaysHitEnd) return refused(929, JumpFocus::Days);
        if (moved == kAddDaysBeforeStart) return refused(930, JumpFocus::Days);
    }
    const DateCheck check = date.checkDate();
    if (check == kDateYearTooLarge) return refused(929, JumpFocus::Days);
    if (check != kDateOk) return refused(930, JumpFocus::Days);
    out.accepted = true;
    out.year = date.year(), out.month = date.month(), out.day = date.day();
    return out;
}

EntryYear confirmEntryYear(bool withYear, int era, std::string_view typed) {
    while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
    while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
    if (!withYear || typed.empty()) return {true, 0, {}};
    int number = 0;
    for (char c : typed) {
        if (c < '0' || c > '9' || number > 99999) return {false, 0, "年は数字で入力してください。"};
        number = number * 10 + (c - '0');
    }
    const JumpEra& e = jumpEra(era);
    if (era != 0 && (number < 1 || (number > e.highest && number < kFirstYear))) return {false, 0, eraRangeText(era)};
    const int year = era != 0 && number <= e.highest ? number + e.offset : number;
    if (year < kFirstYear || year > kLastYear) return {false, 0, "年は西暦1582年から9999年までの範囲で入力してください。"};
    return {true, year, {}};
}

}  // namespace tavo
