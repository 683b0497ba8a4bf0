// Calendars subscribed to: read-only iCalendar URLs (another country's
// holidays, a team's or a school's calendar). The 同期 page keeps the list;
// each is fetched into a copy beside the data and shown from there, offline
// too, as lines of their own with their name; never in the user's files.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "icalendar_import.h"
#include "path_settings.h"
#include "shared/file_system.h"

namespace tavo {

struct Subscription {
    std::string name;  // CP932; the URL's host when none was given
    std::string url;   // as typed: webcal://, webcals://, https:// or http://
    friend bool operator==(const Subscription&, const Subscription&) = default;
};

inline constexpr std::size_t kMostSubscriptions = 32;

// The page's text: a subscription a line, "name URL" or the URL alone; other lines are left out.
std::vector<Subscription> parseSubscriptionList(std::string_view text);
// The URL fetched: webcal:// is https://.
std::string subscriptionFetchUrl(std::string_view url);
// The copy of a subscription beside the day schedules, and what its last answer said (ETag, Last-Modified).
std::string subscriptionCacheFile(const PathSettings& paths, std::string_view url);
std::string subscriptionStateFile(const PathSettings& paths, std::string_view url);

struct SubscribedCalendar {
    std::string name;  // CP932
    IcsCalendar calendar;
};
struct Subscriptions {
    std::vector<SubscribedCalendar> calendars;  // those with a readable copy
};
Subscriptions loadSubscriptions(const FileSystem& files, const PathSettings& paths, const std::vector<Subscription>& list);

struct SubscribedLine {
    int serial;
    std::string text;  // CP932: "the event's text(name)"
    friend bool operator==(const SubscribedLine&, const SubscribedLine&) = default;
};
// Every line of the subscribed events on the days, by day.
std::vector<SubscribedLine> subscribedLines(const Subscriptions& subscriptions, int firstSerial, int lastSerial);

}  // namespace tavo
