#include "design_choices.h"

#include <algorithm>
#include <cctype>

#include "shared/cp932.h"

namespace tavo {
namespace {

// label, day kinds, states, relief, background, text, font, height
const DesignPartOffer kCalendarOffers[kDesignParts] = {
    {"年,月表示部", 0, false, true, true, true, true, true},
    {"曜日表示部", 3, true, true, true, true, true, true},
    {"前月,来月の日付", 0, false, true, true, true, true, false},
    {"データのない日", 6, true, true, true, true, true, false},
    {"データのある日", 6, true, true, true, true, true, false},
    {"六曜", 0, false, false, false, true, true, false},
    {"休暇日の線", 0, false, false, false, true, false, false},
    {"出勤日の線", 0, false, false, false, true, false, false},
    {"日付変更ボタン", 0, false, false, true, true, false, true},
};

const DesignPartOffer kRangeViewOffers[5] = {
    {"日付表示部", 6, true, true, true, true, true, true},
    {"データ", 6, true, true, true, true, true, true},
    {"背景", 0, false, true, true, false, false, true},
    {"休暇日の線", 0, false, false, false, true, false, false},
    {"出勤日の線", 0, false, false, false, true, false, false},
};

const char* const kDayKindLabels[kDayKinds] = {"平日(休業日以外)", "日曜日", "土曜日", "祝日", "振替休日,国民の休日", "平日(休業日)"};

bool isReservedDeviceName(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices)) return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '0' && stem[3] <= '9';
}

// A character of a CP932 text that a file name cannot hold, or 0.
char forbiddenCharacter(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (isCp932LeadByte(c)) {
            ++i;  // the trail byte may be '\\' or '|': it belongs to the character
            continue;
        }
        if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            return c < 0x20 ? ' ' : static_cast<char>(c);
    }
    return 0;
}

}  // namespace

DesignPartOffer designPartOffer(DesignSetKind set, int part) {
    if (part < 0 || part >= designPartCount(set)) return {"", 0, false, false, false, false, false, false};
    return set == kCalendarDesign ? kCalendarOffers[part] : kRangeViewOffers[part];
}

const char* dayKindLabel(int dayKind) { return dayKind >= 0 && dayKind < kDayKinds ? kDayKindLabels[dayKind] : ""; }

const char* designStateLabel(int state) { return state == kSelected ? "選択状態" : "非選択状態"; }

int samplePart(DesignSetKind set, int part) {
    if (set == kCalendarDesign) return part == kRokuyou || part == kHoliline || part == kNormline ? kNoSchedule : part;
    return part == kSchHoliline || part == kSchNormline ? kSchData : part;
}

const char* schemeExtension(DesignSetKind set) { return set == kCalendarDesign ? ".col" : ".scl"; }

std::string schemeNameProblem(std::string_view name) {
    if (name.find_first_not_of(' ') == std::string_view::npos) return "名前を入れてください。";
    if (name.size() > kSchemeNameChars) return "名前が長すぎます(80バイトまで)。";
    if (const char c = forbiddenCharacter(name))
        return c == ' ' ? "名前に制御文字は使えません。" : std::string("名前に使えない文字があります: ") + c;
    if (name.back() == '.' || name.back() == ' ' || name.front() == ' ') return "名前の最初や最後に空白や「.」は使えません。";
    if (isReservedDeviceName(name)) return "この名前は Windows が使うため、配色の名前にできません。";
    return "";
}

}  // namespace tavo
