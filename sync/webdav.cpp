#include "webdav.h"

#include <cstdlib>

#include "xml.h"

namespace tavo::sync {
namespace {

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

std::optional<std::string> textOf(const XmlElement& prop, std::string_view ns, std::string_view name) {
    const XmlElement* e = prop.child(ns, name);
    return e ? std::optional(trimmed(e->text)) : std::nullopt;
}

std::optional<std::string> hrefIn(const XmlElement& prop, std::string_view ns, std::string_view name) {
    const XmlElement* e = prop.find({{ns, name}, {kDav, "href"}});
    return e ? std::optional(trimmed(e->text)) : std::nullopt;
}

void readProps(const XmlElement& prop, DavProps& p) {
    if (auto v = textOf(prop, kDav, "getetag")) p.etag = v;
    if (auto v = textOf(prop, kCalendarServer, "getctag")) p.ctag = v;
    if (auto v = textOf(prop, kDav, "sync-token")) p.syncToken = v;
    if (auto v = textOf(prop, kDav, "displayname")) p.displayName = v;
    if (const XmlElement* data = prop.child(kCalDav, "calendar-data")) p.calendarData = data->text;
    if (auto v = hrefIn(prop, kDav, "current-user-principal")) p.principal = v;
    if (auto v = hrefIn(prop, kCalDav, "calendar-home-set")) p.calendarHome = v;
    if (const XmlElement* type = prop.child(kDav, "resourcetype")) {
        p.collection = type->child(kDav, "collection") != nullptr;
        p.calendar = type->child(kCalDav, "calendar") != nullptr;
    }
    if (const XmlElement* set = prop.child(kCalDav, "supported-calendar-component-set")) {
        p.events = false;
        for (const XmlElement& c : set->children)
            if (c.ns == kCalDav && c.name == "comp" && c.attribute("name") == "VEVENT") p.events = true;
    }
}

DavResource resourceOf(const XmlElement& response) {
    DavResource r;
    if (const XmlElement* href = response.child(kDav, "href")) r.href = trimmed(href->text);
    if (const XmlElement* status = response.child(kDav, "status")) r.status = statusCodeOf(status->text);
    for (const XmlElement& propstat : response.children) {
        if (propstat.ns != kDav || propstat.name != "propstat") continue;
        const XmlElement* status = propstat.child(kDav, "status");
        const int code = status ? statusCodeOf(status->text) : 0;
        const XmlElement* prop = propstat.child(kDav, "prop");
        if (code / 100 != 2 || prop == nullptr) continue;  // properties it does not have
        if (r.status == 0) r.status = code;
        readProps(*prop, r.props);
    }
    return r;
}

}  // namespace

int statusCodeOf(std::string_view statusLine) {
    const std::size_t space = statusLine.find(' ');
    if (space == std::string_view::npos || space + 4 > statusLine.size()) return 0;
    int code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (statusLine[i] < '0' || statusLine[i] > '9') return 0;
        code = code * 10 + (statusLine[i] - '0');
    }
    return code;
}

Multistatus parseMultistatus(std::string_view xml) {
    Multistatus m;
    const XmlDocument doc = parseXml(xml);
    if (!doc.root) return {{}, std::nullopt, false, "not XML: " + doc.problem};
    if (doc.root->ns != kDav || doc.root->name != "multistatus") return {{}, std::nullopt, false, "not a multistatus"};
    for (const XmlElement& e : doc.root->children) {
        if (e.ns != kDav) continue;
        if (e.name == "sync-token") m.syncToken = trimmed(e.text);
        if (e.name != "response") continue;
        DavResource r = resourceOf(e);
        if (r.href.empty()) continue;
        if (r.status == 507) m.truncated = true;
        else m.resources.push_back(std::move(r));
    }
    return m;
}

}  // namespace tavo::sync
