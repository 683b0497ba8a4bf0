// The XML reader on Windows: the system's XmlLite (loaded on first use), DTDs
// prohibited, the same tree and bounds as on Linux.
#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <string>

#include "win/system_library.h"
#include "xml.h"

namespace tavo::sync {
namespace {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** out() { return &p; }
    T* operator->() const { return p; }
};

std::string utf8(const wchar_t* text, UINT length) {
    if (length == 0) return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), bytes, nullptr, nullptr);
    return out;
}

std::string nameOf(IXmlReader* reader, HRESULT (STDMETHODCALLTYPE IXmlReader::*get)(LPCWSTR*, UINT*)) {
    LPCWSTR text = nullptr;
    UINT length = 0;
    if (FAILED((reader->*get)(&text, &length)) || text == nullptr) return {};
    return utf8(text, length);
}

struct Tree {
    std::optional<XmlElement> root;
    std::vector<XmlElement*> open;
    std::size_t elements = 0;
};

// An element begins: its name, namespace and attributes; an empty one ends at once.
std::string startElement(IXmlReader* reader, Tree& tree) {
    if (++tree.elements > kMostXmlElements) return "too many elements";
    if (static_cast<int>(tree.open.size()) >= kMostXmlDepth) return "nested too deep";
    XmlElement* e = tree.open.empty() ? &tree.root.emplace() : &tree.open.back()->children.emplace_back();
    e->name = nameOf(reader, &IXmlReader::GetLocalName);
    e->ns = nameOf(reader, &IXmlReader::GetNamespaceUri);
    const bool empty = reader->IsEmptyElement();
    for (HRESULT at = reader->MoveToFirstAttribute(); at == S_OK; at = reader->MoveToNextAttribute()) {
        if (reader->IsDefault()) continue;
        LPCWSTR value = nullptr;
        UINT length = 0;
        reader->GetValue(&value, &length);
        e->attributes.emplace_back(nameOf(reader, &IXmlReader::GetLocalName), utf8(value, length));
    }
    if (!empty) tree.open.push_back(e);
    return {};
}

using CreateReader = HRESULT WINAPI(REFIID, void**, IMalloc*);

}  // namespace

XmlDocument parseXml(std::string_view text) {
    if (text.size() > kMostXmlBytes) return {std::nullopt, "larger than " + std::to_string(kMostXmlBytes >> 20) + " MB"};
    static auto* const create = win::systemFunction<CreateReader>(L"xmllite.dll", "CreateXmlReader");
    if (create == nullptr) return {std::nullopt, "XmlLite is not available"};
    ComPtr<IXmlReader> reader;
    if (FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.out()), nullptr))) return {std::nullopt, "XmlLite failed"};
    ComPtr<IStream> stream;
    static auto* const memoryStream = win::systemFunction<decltype(SHCreateMemStream)>(L"shlwapi.dll", "SHCreateMemStream");
    if (memoryStream == nullptr) return {std::nullopt, "no memory stream"};
    stream.p = memoryStream(reinterpret_cast<const BYTE*>(text.data()), static_cast<UINT>(text.size()));
    if (stream.p == nullptr) return {std::nullopt, "out of memory"};
    reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    reader->SetInput(stream.p);
    Tree tree;
    XmlNodeType node;
    HRESULT read;
    while ((read = reader->Read(&node)) == S_OK) {
        if (node == XmlNodeType_DocumentType) return {std::nullopt, "a DOCTYPE is not read"};
        if (node == XmlNodeType_Element) {
            if (tree.root && tree.open.empty()) return {std::nullopt, "more than one root element"};
            if (std::string why = startElement(reader.p, tree); !why.empty()) return {std::nullopt, why};
        } else if (node == XmlNodeType_EndElement) {
            if (!tree.open.empty()) tree.open.pop_back();
        } else if ((node == XmlNodeType_Text || node == XmlNodeType_CDATA || node == XmlNodeType_Whitespace) && !tree.open.empty()) {
            LPCWSTR value = nullptr;
            UINT length = 0;
            reader->GetValue(&value, &length);
            tree.open.back()->text += utf8(value, length);
        }
    }
    if (FAILED(read)) {
        UINT line = 0;
        reader->GetLineNumber(&line);
        return {std::nullopt, (read == static_cast<HRESULT>(0xC00CEE3B) ? std::string("a DOCTYPE is not read") : "not well-formed") +
                                  std::string(" at line ") + std::to_string(line)};
    }
    if (!tree.root) return {std::nullopt, "no element at line 1"};
    if (!tree.open.empty()) return {std::nullopt, "not well-formed: " + tree.open.back()->name + " is not closed"};
    return {std::move(tree.root), {}};
}

}  // namespace tavo::sync
