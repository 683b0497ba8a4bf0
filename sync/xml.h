// A small XML document tree read by a real XML parser (expat), namespaces
// resolved: what WebDAV answers are read through. Bounded: a document that
// is too large, too deep or has too many elements is refused, and a DOCTYPE
// (entities) is never read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::sync {

inline constexpr std::size_t kMostXmlBytes = 64u << 20;
inline constexpr int kMostXmlDepth = 64;
inline constexpr std::size_t kMostXmlElements = 1'000'000;

struct XmlElement {
    std::string ns;    // namespace URI ("DAV:", "urn:ietf:params:xml:ns:caldav", ...)
    std::string name;  // local name
    std::string text;  // the character data directly inside, joined
    std::vector<std::pair<std::string, std::string>> attributes;  // name (no namespace), value
    std::vector<XmlElement> children;

    // The attribute's value; empty when it has none.
    std::string_view attribute(std::string_view name) const;
    // The first child of that name, or nullptr.
    const XmlElement* child(std::string_view ns, std::string_view name) const;
    // The first element of that name among the children's children, and so on down a path.
    const XmlElement* find(std::initializer_list<std::pair<std::string_view, std::string_view>> path) const;
};

struct XmlDocument {
    std::optional<XmlElement> root;
    std::string problem;  // why there is no root: not well-formed, too large, a DOCTYPE
};

XmlDocument parseXml(std::string_view text);

inline constexpr std::string_view kDav = "DAV:";
inline constexpr std::string_view kCalDav = "urn:ietf:params:xml:ns:caldav";
inline constexpr std::string_view kCalendarServer = "http://calendarserver.org/ns/";

}  // namespace tavo::sync
