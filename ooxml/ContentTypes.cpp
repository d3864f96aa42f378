#include "ContentTypes.h"

#include <algorithm>

#include "Package.h"
#include "XmlPart.h"

namespace ooxml {
namespace {
std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}
std::string WithoutLeadingSlash(const std::string& name) {
    return !name.empty() && name.front() == '/' ? name.substr(1) : name;
}
} // namespace

ContentTypes::ContentTypes(const Package& package) {
    const std::string* bytes = package.Part(kContentTypesPart);
    tinyxml2::XMLDocument doc;
    if (!bytes || !ParseXml(*bytes, doc)) return;
    for (auto* e = doc.RootElement()->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const char* type = e->Attribute("ContentType");
        if (!type) continue;
        if (std::string(e->Name()) == "Default" && e->Attribute("Extension"))
            m_defaults[Lower(e->Attribute("Extension"))] = type;
        else if (std::string(e->Name()) == "Override" && e->Attribute("PartName"))
            m_overrides[WithoutLeadingSlash(e->Attribute("PartName"))] = type;
    }
}

std::string ContentTypes::TypeOf(const std::string& partName) const {
    if (auto it = m_overrides.find(WithoutLeadingSlash(partName)); it != m_overrides.end()) return it->second;
    const size_t dot = partName.rfind('.');
    if (dot == std::string::npos) return {};
    auto it = m_defaults.find(Lower(partName.substr(dot + 1)));
    return it == m_defaults.end() ? std::string() : it->second;
}

void ContentTypes::SetDefault(const std::string& extension, const std::string& type) {
    m_defaults[Lower(extension)] = type;
}

void ContentTypes::SetOverride(const std::string& partName, const std::string& type) {
    m_overrides[WithoutLeadingSlash(partName)] = type;
}

void ContentTypes::RemoveOverride(const std::string& partName) {
    m_overrides.erase(WithoutLeadingSlash(partName));
}

void ContentTypes::Store(Package& package) const {
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* root = doc.NewElement("Types");
    root->SetAttribute("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    doc.InsertEndChild(root);
    for (const auto& [extension, type] : m_defaults) {
        tinyxml2::XMLElement* e = AppendElement(root, "Default");
        e->SetAttribute("Extension", extension.c_str());
        e->SetAttribute("ContentType", type.c_str());
    }
    for (const auto& [part, type] : m_overrides) {
        tinyxml2::XMLElement* e = AppendElement(root, "Override");
        e->SetAttribute("PartName", ("/" + part).c_str());
        e->SetAttribute("ContentType", type.c_str());
    }
    package.SetPart(kContentTypesPart, SerialiseXml(doc));
}

} // namespace ooxml
