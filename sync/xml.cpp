#include "xml.h"

namespace tavo::sync {

const XmlElement* XmlElement::child(std::string_view childNs, std::string_view childName) const {
    for (const XmlElement& c : children)
        if (c.ns == childNs && c.name == childName) return &c;
    return nullptr;
}

std::string_view XmlElement::attribute(std::string_view attributeName) const {
    for (const auto& [n, v] : attributes)
        if (n == attributeName) return v;
    return {};
}

const XmlElement* XmlElement::find(std::initializer_list<std::pair<std::string_view, std::string_view>> path) const {
    const XmlElement* at = this;
    for (const auto& [ns, name] : path)
        if (!(at = at->child(ns, name))) return nullptr;
    return at;
}

}  // namespace tavo::sync
