#include <expat.h>

#include <memory>

#include "xml.h"

namespace tavo::sync {
namespace {

constexpr char kSeparator = ' ';  // between namespace and local name; no URI holds one

struct Reader {
    XML_Parser parser;
    std::vector<XmlElement*> open;
    std::optional<XmlElement> root;
    std::size_t elements = 0;
    std::string problem;

    void stop(std::string why) {
        if (problem.empty()) problem = std::move(why);
        XML_StopParser(parser, XML_FALSE);
    }
};

void splitName(const XML_Char* qualified, XmlElement& e) {
    const std::string_view name(qualified);
    const std::size_t at = name.find(kSeparator);
    if (at == std::string_view::npos) {
        e.name = name;
    } else {
        e.ns = name.substr(0, at);
        e.name = name.substr(at + 1);
    }
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& r = *static_cast<Reader*>(data);
    if (++r.elements > kMostXmlElements) return r.stop("too many elements");
    if (static_cast<int>(r.open.size()) >= kMostXmlDepth) return r.stop("nested too deep");
    XmlElement* e;
    if (r.open.empty()) {
        r.root.emplace();
        e = &*r.root;
    } else {
        e = &r.open.back()->children.emplace_back();
    }
    splitName(name, *e);
    for (const XML_Char** a = attributes; a[0] && a[1]; a += 2) e->attributes.emplace_back(a[0], a[1]);
    r.open.push_back(e);
}

void XMLCALL onEnd(void* data, const XML_Char*) {
    auto& r = *static_cast<Reader*>(data);
    if (!r.open.empty()) r.open.pop_back();
}

void XMLCALL onText(void* data, const XML_Char* text, int length) {
    auto& r = *static_cast<Reader*>(data);
    if (!r.open.empty()) r.open.back()->text.append(text, static_cast<std::size_t>(length));
}

void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<Reader*>(data)->stop("a DOCTYPE is not read");
}

}  // namespace

XmlDocument parseXml(std::string_view text) {
    if (text.size() > kMostXmlBytes) return {std::nullopt, "larger than " + std::to_string(kMostXmlBytes >> 20) + " MB"};
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreateNS("UTF-8", kSeparator), XML_ParserFree);
    if (!parser) return {std::nullopt, "out of memory"};
    Reader reader{parser.get(), {}, {}, 0, {}};
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);
    const XML_Status status = XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), XML_TRUE);
    if (!reader.problem.empty()) return {std::nullopt, reader.problem};
    if (status != XML_STATUS_OK)
        return {std::nullopt, std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
                                  std::to_string(XML_GetCurrentLineNumber(parser.get()))};
    if (!reader.root) return {std::nullopt, "no element"};
    return {std::move(reader.root), {}};
}

}  // namespace tavo::sync
