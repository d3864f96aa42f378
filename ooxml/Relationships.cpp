#include "Relationships.h"

#include "Package.h"
#include "XmlPart.h"

namespace ooxml {

Relationships::Relationships(const Package& package, const std::string& sourcePart)
    : m_sourcePart(sourcePart) {
    const std::string* bytes = package.Part(RelationshipsPartName(sourcePart));
    tinyxml2::XMLDocument doc;
    if (!bytes || !ParseXml(*bytes, doc)) return;
    for (auto* rel = doc.RootElement()->FirstChildElement("Relationship"); rel;
         rel = rel->NextSiblingElement("Relationship")) {
        Relationship item;
        item.id = rel->Attribute("Id") ? rel->Attribute("Id") : "";
        item.type = rel->Attribute("Type") ? rel->Attribute("Type") : "";
        item.target = rel->Attribute("Target") ? rel->Attribute("Target") : "";
        const char* mode = rel->Attribute("TargetMode");
        item.external = mode && std::string(mode) == "External";
        m_items.push_back(item);
    }
}

const Relationship* Relationships::FindById(const std::string& id) const {
    for (const Relationship& item : m_items)
        if (item.id == id) return &item;
    return nullptr;
}

const Relationship* Relationships::FindByType(const std::string& type) const {
    for (const Relationship& item : m_items)
        if (item.type == type) return &item;
    return nullptr;
}

std::string Relationships::Add(const std::string& type, const std::string& target) {
    int number = static_cast<int>(m_items.size()) + 1;
    while (FindById("rId" + std::to_string(number))) ++number;
    Relationship item{"rId" + std::to_string(number), type, target, false};
    m_items.push_back(item);
    return item.id;
}

void Relationships::Store(Package& package) const {
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* root = doc.NewElement("Relationships");
    root->SetAttribute("xmlns", "http://schemas.openxmlformats.org/package/2006/relationships");
    doc.InsertEndChild(root);
    for (const Relationship& item : m_items) {
        tinyxml2::XMLElement* rel = AppendElement(root, "Relationship");
        rel->SetAttribute("Id", item.id.c_str());
        rel->SetAttribute("Type", item.type.c_str());
        rel->SetAttribute("Target", item.target.c_str());
        if (item.external) rel->SetAttribute("TargetMode", "External");
    }
    package.SetPart(RelationshipsPartName(m_sourcePart), SerialiseXml(doc));
}

} // namespace ooxml
