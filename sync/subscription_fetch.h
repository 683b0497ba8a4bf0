// Fetching a calendar subscribed to into its copy beside the data: asked
// with the last answer's ETag and Last-Modified, so an unchanged calendar
// costs a 304; a failed or unreadable answer leaves the copy as it was.
#pragma once

#include <string>

#include "calendar/data/subscriptions.h"
#include "http.h"

namespace tavo::sync {

inline constexpr std::size_t kMostSubscriptionBytes = 16u << 20;

struct SubscriptionRefresh {
    bool ok = false;
    bool changed = false;  // a new copy was written
    std::string problem;   // CP932, in words
};

// `http` must carry no account: a subscription is fetched without one.
SubscriptionRefresh refreshSubscription(HttpClient& http, FileSystem& files, const PathSettings& paths, const Subscription& s);

}  // namespace tavo::sync
