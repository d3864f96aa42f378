#include "EditedDocument.h"

#include "BlankDocument.h"
#include "Inkwright.h"
#include "Story.h"
#include "XmlPart.h"

namespace inkwright {
namespace {

int HighestDrawingId(XMLElement* element) {
    int highest = 0;
    for (XMLElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (std::string_view(child->Name()) == "wp:docPr")
            highest = std::max(highest, child->IntAttribute("id"));
        highest = std::max(highest, HighestDrawingId(child));
    }
    return highest;
}

} // namespace

EditedDocument& TheEditedDocument() {
    static EditedDocument edited;
    return edited;
}

EditedDocument& OpenEditedDocument() {
    EditedDocument& edited = TheEditedDocument();
    if (!edited.IsOpen()) throw InkwrightError("No document is open.");
    return edited;
}

void EditedDocument::Reset() {
    m_open = false;
    m_path.clear();
    m_package = ooxml::Package();
    m_types = ooxml::ContentTypes();
    m_xml.clear();
    m_rels.clear();
    m_mainPart.clear();
    m_activePart.clear();
    m_mainSelection = selection = savedRange = Selection();
    typingColor = 0;
    nextDrawingId = 1;
}

void EditedDocument::Open(const std::string& path) {
    Reset();
    std::string error;
    if (!m_package.Open(path, error)) throw InkwrightError(error);
    const ooxml::Relationships packageRels(m_package, "");
    const ooxml::Relationship* main = packageRels.FindByType(ooxml::kRelOfficeDocument);
    const std::string mainPart = main ? ooxml::ResolveTarget("", main->target) : "";
    if (mainPart.empty() || !m_package.HasPart(mainPart)) {
        Reset();
        throw InkwrightError("the package has no main document part: " + path);
    }
    m_types = ooxml::ContentTypes(m_package);
    m_mainPart = m_activePart = mainPart;
    m_path = path;
    m_open = true;
    try {
        XMLElement* body = StoryRoot();
        nextDrawingId = HighestDrawingId(body) + 1;
        selection.paragraph = FirstParagraph(body);
    } catch (...) {
        Reset();
        throw;
    }
}

void EditedDocument::CreateBlank() {
    Reset();
    m_package = BlankDocument();
    m_types = ooxml::ContentTypes(m_package);
    m_mainPart = m_activePart = "word/document.xml";
    m_open = true;
    selection.paragraph = FirstParagraph(StoryRoot());
}

void EditedDocument::Save(const std::string& path) {
    if (path.empty()) throw InkwrightError("The document has no file name yet.");
    for (const auto& [part, doc] : m_xml) m_package.SetPart(part, ooxml::SerialiseXml(*doc));
    for (const auto& [part, rels] : m_rels) rels.Store(m_package);
    m_types.Store(m_package);
    std::string error;
    if (!m_package.SaveAs(path, error)) throw InkwrightError(error);
    m_path = path;
}

void EditedDocument::Close() {
    Reset();
}

tinyxml2::XMLDocument& EditedDocument::Xml(const std::string& part) {
    auto it = m_xml.find(part);
    if (it != m_xml.end()) return *it->second;
    const std::string* bytes = m_package.Part(part);
    auto doc = std::make_unique<tinyxml2::XMLDocument>();
    if (!bytes) throw InkwrightError("the document part " + part + " cannot be read (missing)");
    if (!ooxml::ParseXml(*bytes, *doc))
        throw InkwrightError("the document part " + part + " cannot be read (" + ooxml::XmlFault(*bytes) +
                             ")");
    return *m_xml.emplace(part, std::move(doc)).first->second;
}

ooxml::Relationships& EditedDocument::Rels(const std::string& part) {
    auto it = m_rels.find(part);
    if (it == m_rels.end()) it = m_rels.emplace(part, ooxml::Relationships(m_package, part)).first;
    return it->second;
}

std::string EditedDocument::NewPartName(const std::string& stem, const std::string& extension) const {
    for (int n = 1;; ++n) {
        const std::string name = "word/" + stem + std::to_string(n) + "." + extension;
        if (!HasPart(name)) return name;
    }
}

XMLElement* EditedDocument::StoryRoot() {
    XMLElement* root = Xml(m_activePart).RootElement();
    if (m_activePart == m_mainPart) root = root->FirstChildElement("w:body");
    if (!root) throw InkwrightError("the document part " + m_activePart + " has no body");
    return root;
}

void EditedDocument::Activate(const std::string& part) {
    if (part == m_activePart) return;
    if (m_activePart == m_mainPart) m_mainSelection = selection;
    m_activePart = part;
    if (part == m_mainPart) {
        selection = m_mainSelection;
    } else {
        selection = Selection();
        selection.paragraph = FirstParagraph(StoryRoot());
    }
}

} // namespace inkwright
