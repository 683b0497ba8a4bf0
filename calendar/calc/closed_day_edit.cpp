#include "closed_day_edit.h"

#include <cstdio>
#include <cstring>

#include "jump_date.h"
#include "shared/cp932.h"
#include "shared/era.h"

namespace tavo {
namespace {

constexpr int kDaysInMonth[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};  // February as 29

int gregorian(int era, int year) { return era == 0 ? year : year + jumpEra(era).offset; }

int listEraOf(int era) {
    for (int i = 0; i < jumpEraCount(); ++i)
        if (kEraChoiceOrder[i] == era) return i;
    return 0;
}

// The era letter and two-digit year that stand for a Gregorian year on the
// rule's own month and day. Every year gets a letter, so the line reads back:
// a day before 慶応 began (in 1865) is still written K01.
void eraField(int year, int month, int day, char& letter, int& eraYear) {
    int era = eraOf(year, month, day == 0 ? 1 : day).era;
    if (era == kEraWestern) era = kEraKeio;
    letter = eraInitial(era);
    eraYear = year - eraBaseYear(era);
}

bool twoDigits(const char* text, int& value) {
    if (text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return false;
    value = (text[0] - '0') * 10 + (text[1] - '0');
    return true;
}

}  // namespace

DraftField checkClosedDayDraft(const ClosedDayDraft& d) {
    if (d.month < 1 || d.month > 12) return DraftField::Month;
    if (d.day < 0 || d.day > kDaysInMonth[d.month]) return DraftField::Day;
    const auto pastEra = [](int era, int year) { return era > 0 && year > jumpEra(era).highest; };
    if (d.fromYear == 0 || pastEra(d.fromEra, d.fromYear)) return DraftField::FromYear;
    if (d.toYear == 0 || pastEra(d.toEra, d.toYear)) return DraftField::ToYear;
    const int from = gregorian(d.fromEra, d.fromYear), to = gregorian(d.toEra, d.toYear);
    if (from < kFirstRuleYear || from > kLastRuleYear) return DraftField::FromYear;
    if (to < kFirstRuleYear || to > kLastRuleYear) return DraftField::ToYear;
    return DraftField::None;
}

std::vector<std::string> closedDayRuleLines(const ClosedDays& days) {
    std::vector<std::string> lines;
    for (int i = 0; i < closedDayRuleCount(days); ++i) lines.emplace_back(days.rules[days.order[i]].line);
    return lines;
}

ClosedDayDraft draftOfClosedDayRule(const ClosedDays& days, int index) {
    ClosedDayDraft d;
    if (index < 0 || index >= closedDayRuleCount(days)) return d;
    const ClosedDayRule& rule = days.rules[days.order[index]];
    const char* line = rule.line;
    twoDigits(line, d.month);
    if (!twoDigits(line + 3, d.day)) d.day = 0;
    d.fromEra = listEraOf(eraFromLetter(line[6]));
    d.toEra = listEraOf(eraFromLetter(line[10]));
    // The years as the editor shows them: era years, or Gregorian ones for 西暦.
    d.fromYear = d.fromEra == 0 ? rule.fromYear : rule.fromYear - jumpEra(d.fromEra).offset;
    d.toYear = d.toEra == 0 ? rule.toYear : rule.toYear - jumpEra(d.toEra).offset;
    d.name = rule.name;
    return d;
}

bool addClosedDayRule(ClosedDays& days, const ClosedDayDraft& d) {
    const int count = closedDayRuleCount(days);
    if (count >= kMaxClosedDayRules || checkClosedDayDraft(d) != DraftField::None) return false;
    const int from = gregorian(d.fromEra, d.fromYear), to = gregorian(d.toEra, d.toYear);
    char fromLetter, toLetter;
    int fromEraYear, toEraYear;
    eraField(from, d.month, d.day, fromLetter, fromEraYear);
    eraField(to, d.month, d.day, toLetter, toEraYear);
    ClosedDayRule& rule = days.rules[count];
    rule = ClosedDayRule{};
    rule.fromEra = static_cast<std::int16_t>(eraFromLetter(fromLetter));
    rule.toEra = static_cast<std::int16_t>(eraFromLetter(toLetter));
    rule.fromYear = static_cast<std::uint16_t>(from);
    rule.toYear = static_cast<std::uint16_t>(to);
    copyToField(rule.name, sizeof rule.name, d.name);
    char head[64];
    if (d.day == 0) std::snprintf(head, sizeof head, "%02d/?? %c%02d-%c%02d ", d.month, fromLetter, fromEraYear, toLetter, toEraYear);
    else std::snprintf(head, sizeof head, "%02d/%02d %c%02d-%c%02d ", d.month, d.day, fromLetter, fromEraYear, toLetter, toEraYear);
    copyToField(rule.line, sizeof rule.line, std::string(head).append(rule.name));
    days.lastRule = count;
    indexClosedDayRules(days);  // stable by slot: the new rule ends its slot
    return true;
}

bool addClosedDayRule(ClosedDays& days, const ClosedDayRule& rule) {
    const int count = closedDayRuleCount(days);
    if (count >= kMaxClosedDayRules) return false;
    days.rules[count] = rule;
    days.lastRule = count;
    indexClosedDayRules(days);
    return true;
}

bool removeClosedDayRule(ClosedDays& days, int index) {
    const int count = closedDayRuleCount(days);
    if (index < 0 || index >= count) return false;
    const int removed = days.order[index];
    for (int i = removed; i + 1 < count; ++i) days.rules[i] = days.rules[i + 1];
    days.rules[count - 1] = ClosedDayRule{};
    days.lastRule = count - 2;
    indexClosedDayRules(days);
    return true;
}

}  // namespace tavo
