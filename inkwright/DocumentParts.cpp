#include "DocumentParts.h"

#include "Inkwright.h"
#include "ParagraphText.h"
#include "XmlPart.h"

namespace inkwright {
namespace {

constexpr const char* kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kRelNamespace = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

struct NewPart {
    const char* stem;
    const char* root;
    const char* contentType;
};

} // namespace

XMLElement* MainBody(EditedDocument& edited) {
    XMLElement* body = edited.Xml(edited.MainPart()).RootElement()->FirstChildElement("w:body");
    if (!body) throw InkwrightError("the main document has no body");
    return body;
}

XMLElement* RelatedRoot(EditedDocument& edited, const char* relationshipType, bool create) {
    ooxml::Relationships& rels = edited.Rels(edited.MainPart());
    if (const ooxml::Relationship* rel = rels.FindByType(relationshipType)) {
        const std::string part = ooxml::ResolveTarget(edited.MainPart(), rel->target);
        if (edited.HasPart(part)) return edited.Xml(part).RootElement();
    }
    if (!create) return nullptr;
    const std::string part = edited.NewPartName("settings", "xml");
    edited.SetBinaryPart(part, std::string("<w:settings xmlns:w=\"") + kWordNamespace + "\"/>");
    rels.Add(relationshipType, part.substr(5));
    edited.Types().SetOverride(part,
                               "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml");
    return edited.Xml(part).RootElement();
}

int TextWidth(EditedDocument& edited) {
    const XMLElement* sect = MainBody(edited)->FirstChildElement("w:sectPr");
    const XMLElement* size = sect ? sect->FirstChildElement("w:pgSz") : nullptr;
    const XMLElement* margins = sect ? sect->FirstChildElement("w:pgMar") : nullptr;
    if (!size || !margins) return 9638;
    const int width =
        size->IntAttribute("w:w") - margins->IntAttribute("w:left") - margins->IntAttribute("w:right");
    return width > 500 ? width : 9638;
}

std::string HeaderFooterPart(EditedDocument& edited, bool footer) {
    const NewPart kind =
        footer ? NewPart{"footer", "w:ftr",
                         "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"}
               : NewPart{"header", "w:hdr",
                         "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"};
    const char* referenceName = footer ? "w:footerReference" : "w:headerReference";
    XMLElement* body = MainBody(edited);
    XMLElement* sect = ooxml::EnsureChild(body, "w:sectPr");
    ooxml::Relationships& rels = edited.Rels(edited.MainPart());
    for (XMLElement* ref = sect->FirstChildElement(referenceName); ref;
         ref = ref->NextSiblingElement(referenceName)) {
        const char* type = ref->Attribute("w:type");
        if (type && std::string_view(type) != "default") continue;
        const ooxml::Relationship* rel =
            ref->Attribute("r:id") ? rels.FindById(ref->Attribute("r:id")) : nullptr;
        if (rel) {
            const std::string part = ooxml::ResolveTarget(edited.MainPart(), rel->target);
            if (edited.HasPart(part)) return part;
        }
    }
    const std::string part = edited.NewPartName(kind.stem, "xml");
    edited.SetBinaryPart(part, std::string("<") + kind.root + " xmlns:w=\"" + kWordNamespace +
                                   "\" xmlns:r=\"" + kRelNamespace + "\"><w:p/></" + kind.root + ">");
    edited.Types().SetOverride(part, kind.contentType);
    const std::string id = rels.Add(footer ? ooxml::kRelFooter : ooxml::kRelHeader, part.substr(5));
    XMLElement* reference = edited.Xml(edited.MainPart()).NewElement(referenceName);
    reference->SetAttribute("w:type", "default");
    reference->SetAttribute("r:id", id.c_str());
    // References lead the section properties.
    sect->InsertFirstChild(reference);
    return part;
}

std::string AddPicturePart(EditedDocument& edited, const std::string& bytes, const std::string& extension) {
    const std::string part = edited.NewPartName("media/image", extension);
    edited.SetBinaryPart(part, bytes);
    edited.Types().SetDefault(extension, "image/" + extension);
    return edited.Rels(edited.ActivePart()).Add(ooxml::kRelImage, part.substr(5));
}

void EnsureDrawingNamespaces(XMLElement* root) {
    while (root->Parent() && root->Parent()->ToElement()) root = root->Parent()->ToElement();
    if (!root->Attribute("xmlns:wp"))
        root->SetAttribute("xmlns:wp",
                           "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
    if (!root->Attribute("xmlns:r")) root->SetAttribute("xmlns:r", kRelNamespace);
}

} // namespace inkwright
