#include "caldav.h"

#include <algorithm>

namespace tavo::sync {
namespace {

constexpr std::size_t kMultigetBatch = 100;

const char kPropfindCalendars[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" xmlns:cs=\"http://calendarserver.org/ns/\">"
    "<d:prop><d:resourcetype/><d:displayname/><d:current-user-principal/><c:calendar-home-set/>"
    "<c:supported-calendar-component-set/><cs:getctag/><d:sync-token/></d:prop></d:propfind>";

const char kPropfindEtags[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:getetag/><d:resourcetype/><d:sync-token/></d:prop></d:propfind>";

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
        }
    }
    return out;
}

HttpResponse davRequest(HttpClient& http, const char* method, const std::string& url, const std::string& depth,
                        std::string body) {
    HttpHeaders headers = {{"Content-Type", "application/xml; charset=utf-8"}};
    if (!depth.empty()) headers.emplace_back("Depth", depth);
    return http.send({method, url, std::move(headers), std::move(body)});
}

std::string origin(const std::string& url) {
    const std::size_t scheme = url.find("://");
    const std::size_t path = scheme == std::string::npos ? std::string::npos : url.find('/', scheme + 3);
    return path == std::string::npos ? url : url.substr(0, path);
}

bool isIcs(const DavResource& r) { return !r.props.collection && r.href.back() != '/'; }

// The calendars among a multistatus's resources.
void collectCalendars(const std::string& base, const Multistatus& m, std::vector<CalendarInfo>& out) {
    for (const DavResource& r : m.resources)
        if (r.props.calendar && r.props.events) out.push_back({resolveUrl(base, r.href), r.props.displayName.value_or("")});
}

}  // namespace

std::string resolveUrl(const std::string& base, const std::string& href) {
    if (href.find("://") != std::string::npos) return href;
    if (!href.empty() && href.front() == '/') return origin(base) + href;
    return base.substr(0, base.rfind('/') + 1) + href;
}

std::string failureText(const HttpResponse& r) {
    if (r.status == 0) return r.error;
    if (r.status == 401) return "ユーザー名かパスワードが違います(401)";
    if (r.status == 403) return "サーバーに許可されていません(403)";
    if (r.status == 404) return "そのURLはありません(404)";
    if (r.status >= 500) return "サーバーのエラーです (" + std::to_string(r.status) + ")";
    return "サーバーが受け付けませんでした (" + std::to_string(r.status) + ")";
}

Discovery discoverCalendars(HttpClient& http, const std::string& url) {
    Discovery d;
    std::vector<std::string> tried;
    std::vector<std::string> queue = {url, origin(url) + "/.well-known/caldav"};
    while (!queue.empty() && tried.size() < 8) {
        const std::string at = queue.front();
        queue.erase(queue.begin());
        if (std::find(tried.begin(), tried.end(), at) != tried.end()) continue;
        tried.push_back(at);
        const HttpResponse r = davRequest(http, "PROPFIND", at, "0", kPropfindCalendars);
        if (r.status != 207) {
            if (d.problem.empty() || r.status == 401) d.problem = failureText(r);
            if (r.status == 401 || r.status == 0) break;  // the others would fail alike
            continue;
        }
        const Multistatus m = parseMultistatus(r.body);
        collectCalendars(at, m, d.calendars);
        if (!d.calendars.empty()) return {d.calendars, {}};
        for (const DavResource& res : m.resources) {
            if (res.props.calendarHome) {
                const std::string home = resolveUrl(at, *res.props.calendarHome);
                const HttpResponse list = davRequest(http, "PROPFIND", home, "1", kPropfindCalendars);
                if (list.status == 207) collectCalendars(home, parseMultistatus(list.body), d.calendars);
                if (!d.calendars.empty()) return {d.calendars, {}};
            }
            if (res.props.principal) queue.insert(queue.begin(), resolveUrl(at, *res.props.principal));
        }
    }
    if (d.problem.empty()) d.problem = "このURLにカレンダーが見つかりません";
    return d;
}

Listing listCalendar(HttpClient& http, const std::string& calendarUrl, const std::string& syncToken) {
    Listing l;
    const std::string report = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
                               xmlEscaped(syncToken) + "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";
    const HttpResponse r = davRequest(http, "REPORT", calendarUrl, "", report);
    if (r.status == 207) {
        const Multistatus m = parseMultistatus(r.body);
        if (m.problem.empty() && m.syncToken && !m.truncated) {
            l.ok = true;
            l.incremental = !syncToken.empty();
            l.syncToken = *m.syncToken;
            for (const DavResource& res : m.resources)
                if (isIcs(res)) l.items.push_back({resolveUrl(calendarUrl, res.href), res.status == 404 ? "" : res.props.etag.value_or("")});
            return l;
        }
    }
    // No sync-token (or one the server no longer knows): the whole listing.
    const HttpResponse all = davRequest(http, "PROPFIND", calendarUrl, "1", kPropfindEtags);
    if (all.status != 207) return {false, {}, {}, false, failureText(all)};
    const Multistatus m = parseMultistatus(all.body);
    if (!m.problem.empty()) return {false, {}, {}, false, "サーバーの応答を読めません: " + m.problem};
    l.ok = true;
    for (const DavResource& res : m.resources) {
        if (!isIcs(res)) {
            if (res.props.syncToken) l.syncToken = *res.props.syncToken;
            continue;
        }
        if (!res.props.etag) return {false, {}, {}, false, "ETag のない項目があります: " + res.href};
        l.items.push_back({resolveUrl(calendarUrl, res.href), *res.props.etag});
    }
    return l;
}

Fetch fetchItems(HttpClient& http, const std::string& calendarUrl, const std::vector<std::string>& urls) {
    Fetch f{true, {}, {}};
    for (std::size_t first = 0; first < urls.size(); first += kMultigetBatch) {
        std::string body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<c:calendar-multiget xmlns:d=\"DAV:\" "
                           "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop><d:getetag/><c:calendar-data/></d:prop>";
        for (std::size_t i = first; i < std::min(urls.size(), first + kMultigetBatch); ++i) {
            const std::size_t path = urls[i].find('/', urls[i].find("://") + 3);
            body += "<d:href>" + xmlEscaped(urls[i].substr(path)) + "</d:href>";
        }
        body += "</c:calendar-multiget>";
        const HttpResponse r = davRequest(http, "REPORT", calendarUrl, "1", body);
        if (r.status != 207) return {false, {}, failureText(r)};
        const Multistatus m = parseMultistatus(r.body);
        if (!m.problem.empty()) return {false, {}, "サーバーの応答を読めません: " + m.problem};
        for (const DavResource& res : m.resources)
            if (res.status / 100 == 2 && res.props.calendarData && res.props.etag)
                f.items.push_back({resolveUrl(calendarUrl, res.href), *res.props.etag, *res.props.calendarData});
    }
    return f;
}

WriteResult putItem(HttpClient& http, const std::string& url, const std::string& ics, const std::string& ifMatch) {
    HttpHeaders headers = {{"Content-Type", "text/calendar; charset=utf-8"}};
    headers.emplace_back(ifMatch.empty() ? "If-None-Match" : "If-Match", ifMatch.empty() ? "*" : ifMatch);
    const HttpResponse r = http.send({"PUT", url, std::move(headers), ics});
    return {r.status, r.header("ETag"), r.status / 100 == 2 || r.status == 412 ? std::string() : failureText(r)};
}

WriteResult deleteItem(HttpClient& http, const std::string& url, const std::string& ifMatch) {
    const HttpResponse r = http.send({"DELETE", url, {{"If-Match", ifMatch}}, {}});
    const int status = r.status == 404 ? 204 : r.status;  // gone already: as wanted
    return {status, {}, status / 100 == 2 || status == 412 ? std::string() : failureText(r)};
}

}  // namespace tavo::sync
