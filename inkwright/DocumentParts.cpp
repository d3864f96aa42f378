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

XMLElement* MainBody(Session& session) {
    XMLElement* body = session.Xml(session.MainPart()).RootElement()->FirstChildElement("w:body");
    if (!body) throw InkwrightError("the main document has no body");
    return body;
}

XMLElement* RelatedRoot(Session& session, const char* relationshipType, bool create) {
    ooxml::Relationships& rels = session.Rels(session.MainPart());
    if (const ooxml::Relationship* rel = rels.FindByType(relationshipType)) {
        const std::string part = ooxml::ResolveTarget(session.MainPart(), rel->target);
        if (session.HasPart(part)) return session.Xml(part).RootElement();
    }
    if (!create) return nullptr;
    const std::string part = session.NewPartName("settings", "xml");
    session.SetBinaryPart(part, std::string("<w:settings xmlns:w=\"") + kWordNamespace + "\"/>");
    rels.Add(relationshipType, part.substr(5));
    session.Types().SetOverride(
        part, "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml");
    return session.Xml(part).RootElement();
}

int TextWidth(Session& session) {
    const XMLElement* sect = MainBody(session)->FirstChildElement("w:sectPr");
    const XMLElement* size = sect ? sect->FirstChildElement("w:pgSz") : nullptr;
    const XMLElement* margins = sect ? sect->FirstChildElement("w:pgMar") : nullptr;
    if (!size || !margins) return 9638;
    const int width =
        size->IntAttribute("w:w") - margins->IntAttribute("w:left") - margins->IntAttribute("w:right");
    return width > 500 ? width : 9638;
}

std::string HeaderFooterPart(Session& session, bool footer) {
    const NewPart kind =
        footer ? NewPart{"footer", "w:ftr",
                         "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"}
               : NewPart{"header", "w:hdr",
                         "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml"};
    const char* referenceName = footer ? "w:footerReference" : "w:headerReference";
    XMLElement* body = MainBody(session);
    XMLElement* sect = ooxml::EnsureChild(body, "w:sectPr");
    ooxml::Relationships& rels = session.Rels(session.MainPart());
    for (XMLElement* ref = sect->FirstChildElement(referenceName); ref;
         ref = ref->NextSiblingElement(referenceName)) {
        const char* type = ref->Attribute("w:type");
        if (type && std::string_view(type) != "default") continue;
        const ooxml::Relationship* rel =
            ref->Attribute("r:id") ? rels.FindById(ref->Attribute("r:id")) : nullptr;
        if (rel) {
            const std::string part = ooxml::ResolveTarget(session.MainPart(), rel->target);
            if (session.HasPart(part)) return part;
        }
    }
    const std::string part = session.NewPartName(kind.stem, "xml");
    session.SetBinaryPart(part, std::string("<") + kind.root + " xmlns:w=\"" + kWordNamespace +
                                    "\" xmlns:r=\"" + kRelNamespace + "\"><w:p/></" + kind.root + ">");
    session.Types().SetOverride(part, kind.contentType);
    const std::string id = rels.Add(footer ? ooxml::kRelFooter : ooxml::kRelHeader, part.substr(5));
    XMLElement* reference = session.Xml(session.MainPart()).NewElement(referenceName);
    reference->SetAttribute("w:type", "default");
    reference->SetAttribute("r:id", id.c_str());
    // References lead the section properties.
    sect->InsertFirstChild(reference);
    return part;
}

std::string AddPicturePart(Session& session, const std::string& bytes, const std::string& extension) {
    const std::string part = session.NewPartName("media/image", extension);
    session.SetBinaryPart(part, bytes);
    session.Types().SetDefault(extension, "image/" + extension);
    return session.Rels(session.ActivePart()).Add(ooxml::kRelImage, part.substr(5));
}

void EnsureDrawingNamespaces(XMLElement* root) {
    while (root->Parent() && root->Parent()->ToElement()) root = root->Parent()->ToElement();
    if (!root->Attribute("xmlns:wp"))
        root->SetAttribute("xmlns:wp",
                           "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
    if (!root->Attribute("xmlns:r")) root->SetAttribute("xmlns:r", kRelNamespace);
}

} // namespace inkwright
