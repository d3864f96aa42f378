#include "XmlPart.h"

#include "XmlText.h"

namespace ooxml {
namespace {

// Element content made of blanks only becomes character references, which the parser keeps.
std::string ProtectBlankContent(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    bool afterOpeningTag = false;
    size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '<') {
            const size_t end = bytes.find('>', i);
            if (end == std::string::npos) {
                out.append(bytes, i, std::string::npos);
                break;
            }
            const char next = i + 1 < bytes.size() ? bytes[i + 1] : '\0';
            const bool special = next == '/' || next == '?' || next == '!';
            afterOpeningTag = !special && bytes[end - 1] != '/';
            // Comments and CDATA may hold ">" themselves; copy them whole.
            size_t stop = end;
            if (bytes.compare(i, 4, "<!--") == 0)
                stop = bytes.find("-->", i) + 2;
            else if (bytes.compare(i, 9, "<![CDATA[") == 0)
                stop = bytes.find("]]>", i) + 2;
            if (stop < i || stop >= bytes.size()) stop = bytes.size() - 1;
            out.append(bytes, i, stop - i + 1);
            i = stop + 1;
            continue;
        }
        if (afterOpeningTag && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            size_t j = i;
            while (j < bytes.size() &&
                   (bytes[j] == ' ' || bytes[j] == '\t' || bytes[j] == '\n' || bytes[j] == '\r'))
                ++j;
            if (j + 1 < bytes.size() && bytes[j] == '<' && bytes[j + 1] == '/') {
                for (size_t k = i; k < j; ++k) out += "&#" + std::to_string(static_cast<int>(bytes[k])) + ";";
            } else {
                out.append(bytes, i, j - i);
            }
            i = j;
            afterOpeningTag = false;
            continue;
        }
        afterOpeningTag = false;
        out += c;
        ++i;
    }
    return out;
}

} // namespace

bool ParseXml(const std::string& bytes, tinyxml2::XMLDocument& doc) {
    const std::string prepared = ProtectBlankContent(bytes);
    return doc.Parse(prepared.data(), prepared.size()) == tinyxml2::XML_SUCCESS && doc.RootElement();
}

std::string XmlFault(const std::string& bytes) {
    tinyxml2::XMLDocument prepared;
    if (ParseXml(bytes, prepared)) return {};
    // The kept blanks are written as character references, which can take line feeds out: the line
    // is counted in the bytes as they are, which fail the same way.
    tinyxml2::XMLDocument doc;
    if (doc.Parse(bytes.data(), bytes.size()) == tinyxml2::XML_SUCCESS || !doc.Error())
        return prepared.Error() ? std::string("not well-formed XML (") + prepared.ErrorName() + ")"
                                : "no root element";
    const std::string at = doc.ErrorLineNum() > 0 ? " at line " + std::to_string(doc.ErrorLineNum()) : "";
    return "not well-formed XML" + at + " (" + doc.ErrorName() + ")";
}

std::string SerialiseXml(const tinyxml2::XMLDocument& doc) {
    tinyxml2::XMLPrinter printer(nullptr, true);
    printer.PushDeclaration("xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"");
    if (const tinyxml2::XMLElement* root = doc.RootElement()) root->Accept(&printer);
    return std::string(printer.CStr()) + "\n";
}

std::string NormaliseXml(const std::string& bytes) {
    tinyxml2::XMLDocument doc;
    if (!ParseXml(bytes, doc)) return {};
    tinyxml2::XMLPrinter printer(nullptr, true);
    doc.RootElement()->Accept(&printer);
    return printer.CStr();
}

void AppendXmlEscaped(std::string& out, std::string_view text) {
    for (char c : XmlSafeText(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
}

tinyxml2::XMLElement* FirstChild(tinyxml2::XMLNode* parent, const char* name) {
    return parent ? parent->FirstChildElement(name) : nullptr;
}

tinyxml2::XMLElement* AppendElement(tinyxml2::XMLNode* parent, const char* name) {
    tinyxml2::XMLElement* element = parent->GetDocument()->NewElement(name);
    parent->InsertEndChild(element);
    return element;
}

tinyxml2::XMLElement* EnsureChild(tinyxml2::XMLElement* parent, const char* name, bool first) {
    if (tinyxml2::XMLElement* child = parent->FirstChildElement(name)) return child;
    tinyxml2::XMLElement* element = parent->GetDocument()->NewElement(name);
    if (first)
        parent->InsertFirstChild(element);
    else
        parent->InsertEndChild(element);
    return element;
}

void InsertBefore(tinyxml2::XMLNode* reference, tinyxml2::XMLNode* node) {
    tinyxml2::XMLNode* parent = reference->Parent();
    if (tinyxml2::XMLNode* previous = reference->PreviousSibling())
        parent->InsertAfterChild(previous, node);
    else
        parent->InsertFirstChild(node);
}

} // namespace ooxml
