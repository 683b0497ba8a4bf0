// The jump-to-date dialog's logic: era list, era changes and validation.
#pragma once

#include <string>
#include <string_view>

namespace tavo {

struct JumpEra {
    const char* name;  // CP932
    int offset;        // Western year = era year + offset
    int firstYear, firstMonth, firstDay;
    int lowest, highest;  // the era's years (令和, still running, up to 99)
};

// 西暦 first, then the eras newest first (令和 right after 西暦).
int jumpEraCount();
const JumpEra& jumpEra(int index);
// The list index of the era that holds a date (0, 西暦, before any era).
int jumpEraOf(int year, int month, int day);

struct JumpState {
    int era = -1;       // list index, -1 for no selection
    int year = 0;       // in the selected era
    int western = 0;    // the remembered Western year
};

// Year styles 2 and 3 show Western years; 0, 1 and 4 era years; others keep state.year.
void initJump(JumpState& state, int year, int month, int day, int yearStyle);
// Choosing another era with fieldYear in the year field: the date stays, its
// year shown in the new era (the era's first or last year when the era did
// not hold it). A number past the old era's years is a Western year.
void changeJumpEra(JumpState& state, int era, int fieldYear);
// The year field left: a Western year typed in an era's field becomes the
// era in force then, on that month and day, and its year in it.
void settleJumpYear(JumpState& state, int month, int day);
// "平成は 1 年から 31 年まで (西暦 1989 年から 2019 年まで) です。" (CP932).
std::string eraRangeText(int era);

enum class JumpFocus { None, Year, Month, Day, Days };
struct JumpOutcome {
    bool accepted = false;
    int errorString = 0;  // 928, 929, 930, or 0 for none
    JumpFocus focus = JumpFocus::None;
    int year = 0, month = 0, day = 0;
    std::string problem;  // CP932, when not one of the strings: an era year past the era
};

JumpOutcome confirmJump(const JumpState& state, int month, int day, int days);

// The year of a birthday or anniversary as the add dialog takes it: none when
// the year box is cleared or the field empty; else the number typed in the
// selected era (a number past the era's last year is a Gregorian year).
// Refused, with the reason, outside 1582-9999, below year 1 of an era, or
// past its last year when no Gregorian year (with the era's range).
struct EntryYear {
    bool accepted = false;
    int year = 0;  // Gregorian, 0 for none
    std::string problem;  // CP932, for the message; empty when accepted
};
EntryYear confirmEntryYear(bool withYear, int era, std::string_view typed);

}  // namespace tavo
