#include "subscriptions.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "shared/cp932.h"

namespace tavo {
namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool startsWith(std::string_view text, std::string_view start) {
    if (text.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != start[i]) return false;
    return true;
}

bool isCalendarUrl(std::string_view url) {
    for (std::string_view scheme : {"webcal://", "webcals://", "https://", "http://"})
        if (startsWith(url, scheme) && url.size() > scheme.size()) return true;
    return false;
}

std::string hostOf(std::string_view url) {
    url.remove_prefix(url.find("//") + 2);
    return std::string(url.substr(0, url.find('/')));
}

std::string fileStem(const PathSettings& paths, std::string_view url) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : url) hash = (hash ^ c) * 1099511628211ull;
    char name[40];
    std::snprintf(name, sizeof name, "webcal-%016llx", static_cast<unsigned long long>(hash));
    return joinPath(paths.scheduleFolder, name);
}

}  // namespace

std::vector<Subscription> parseSubscriptionList(std::string_view text) {
    std::vector<Subscription> list;
    for (std::string_view raw : fileLines(text)) {
        const std::string_view line = trimmed(lineContent(raw));
        const std::size_t blank = line.find_last_of(" \t");
        const std::string_view url = blank == std::string_view::npos ? line : line.substr(blank + 1);
        if (!isCalendarUrl(url) || list.size() == kMostSubscriptions) continue;
        const std::string_view name = blank == std::string_view::npos ? std::string_view() : trimmed(line.substr(0, blank));
        list.push_back({name.empty() ? hostOf(url) : std::string(name), std::string(url)});
    }
    return list;
}

std::string subscriptionFetchUrl(std::string_view url) {
    if (startsWith(url, "webcals://")) return "https://" + std::string(url.substr(10));
    if (startsWith(url, "webcal://")) return "https://" + std::string(url.substr(9));
    return std::string(url);
}

std::string subscriptionCacheFile(const PathSettings& paths, std::string_view url) { return fileStem(paths, url) + ".ics"; }
std::string subscriptionStateFile(const PathSettings& paths, std::string_view url) { return fileStem(paths, url) + ".dat"; }

Subscriptions loadSubscriptions(const FileSystem& files, const PathSettings& paths, const std::vector<Subscription>& list) {
    Subscriptions loaded;
    for (const Subscription& s : list) {
        const FileContent copy = files.readFile(subscriptionCacheFile(paths, s.url));
        if (!readWhole(copy)) continue;
        IcsCalendar calendar = readICalendar(completeLines(copy));
        if (calendar.problem.empty()) loaded.calendars.push_back({s.name, std::move(calendar)});
    }
    return loaded;
}

std::vector<SubscribedLine> subscribedLines(const Subscriptions& subscriptions, int firstSerial, int lastSerial) {
    std::vector<SubscribedLine> lines;
    for (const SubscribedCalendar& c : subscriptions.calendars)
        for (const IcsOccurrence& o : icsOccurrences(c.calendar, firstSerial, lastSerial)) {
            std::string text = o.text.substr(0, o.text.find('\n'));  // the first line: the rest is its description
            std::replace(text.begin(), text.end(), '\r', ' ');
            lines.push_back({o.serial, utf8ToCp932(text) + "(" + c.name + ")"});
        }
    std::stable_sort(lines.begin(), lines.end(), [](const SubscribedLine& a, const SubscribedLine& b) { return a.serial < b.serial; });
    return lines;
}

}  // namespace tavo
