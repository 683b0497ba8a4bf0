#include "subscription_fetch.h"

#include "caldav.h"

namespace tavo::sync {
namespace {

struct Validators {
    std::string etag, modified;
};

Validators readValidators(const FileSystem& files, const std::string& path) {
    Validators v;
    const FileContent file = files.readFile(path);
    if (!readWhole(file)) return v;
    for (std::string_view raw : fileLines(completeLines(file))) {
        const std::string_view line = lineContent(raw);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        if (line.substr(0, tab) == "etag") v.etag = line.substr(tab + 1);
        if (line.substr(0, tab) == "modified") v.modified = line.substr(tab + 1);
    }
    return v;
}

// A header value as a line of the file holds it.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

SubscriptionRefresh refreshSubscription(HttpClient& http, FileSystem& files, const PathSettings& paths, const Subscription& s) {
    const std::string copy = subscriptionCacheFile(paths, s.url), state = subscriptionStateFile(paths, s.url);
    const FileContent old = files.readFile(copy);
    const Validators before = old.opened ? readValidators(files, state) : Validators{};
    HttpRequest request{"GET", subscriptionFetchUrl(s.url), {{"Accept", "text/calendar"}}, {}};
    if (!before.etag.empty()) request.headers.push_back({"If-None-Match", before.etag});
    if (!before.modified.empty()) request.headers.push_back({"If-Modified-Since", before.modified});
    const HttpResponse r = http.send(request);
    if (r.status == 304) return {true, false, {}};
    if (r.status != 200) return {false, false, s.name + ": " + failureText(r)};
    if (r.body.size() > kMostSubscriptionBytes) return {false, false, s.name + ": 大きすぎるカレンダーです"};
    if (!readICalendar(r.body).problem.empty()) return {false, false, s.name + ": iCalendar ではありません"};
    if (readWhole(old) && completeLines(old) == r.body) return {true, false, {}};  // a server that never answers 304
    const std::string validators = "etag\t" + oneLine(r.header("ETag")) + "\r\nmodified\t" + oneLine(r.header("Last-Modified")) + "\r\n";
    const SaveResult saved = rewriteFiles(files, {{copy, [&](std::string_view) { return std::optional(r.body); }},
                                                  {state, [&](std::string_view) { return std::optional(validators); }}});
    if (!saved) return {false, false, s.name + ": 保存できません: " + saved.reason};
    return {true, true, {}};
}

}  // namespace tavo::sync
