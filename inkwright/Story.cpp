#include "Story.h"

#include <cctype>
#include <string>
#include <string_view>

#include "ParagraphText.h"
#include "XmlPart.h"

namespace inkwright {
namespace {

bool Is(const XMLElement* e, std::string_view name) {
    return e && name == e->Name();
}

void Collect(XMLElement* container, std::vector<XMLElement*>& out) {
    for (XMLElement* child = container->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (Is(child, "w:p"))
            out.push_back(child);
        else if (Is(child, "w:tbl") || Is(child, "w:tr") || Is(child, "w:tc") || Is(child, "w:sdt") ||
                 Is(child, "w:sdtContent") || Is(child, "w:customXml"))
            Collect(child, out);
    }
}

void CollectTables(XMLElement* container, std::vector<XMLElement*>& out) {
    for (XMLElement* child = container->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (Is(child, "w:tbl")) out.push_back(child);
        if (Is(child, "w:tbl") || Is(child, "w:tr") || Is(child, "w:tc") || Is(child, "w:sdt") ||
            Is(child, "w:sdtContent") || Is(child, "w:customXml"))
            CollectTables(child, out);
    }
}

XMLElement* Ancestor(XMLElement* element, std::string_view name) {
    for (tinyxml2::XMLNode* n = element ? element->Parent() : nullptr; n; n = n->Parent())
        if (XMLElement* e = n->ToElement(); e && name == e->Name()) return e;
    return nullptr;
}

int LevelFromName(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name.rfind("heading", 0) != 0) return 0;
    std::string digits;
    for (char c : name.substr(7))
        if (std::isdigit(static_cast<unsigned char>(c)))
            digits += c;
        else if (c != ' ')
            return 0;
    const int level = digits.empty() ? 0 : std::stoi(digits);
    return level >= 1 && level <= 9 ? level : 0;
}

int OutlineLevel(const XMLElement* pPr) {
    const XMLElement* outline = pPr ? pPr->FirstChildElement("w:outlineLvl") : nullptr;
    if (!outline) return -1;
    const int value = outline->IntAttribute("w:val", 9);
    return value >= 0 && value < 9 ? value + 1 : 0;
}

} // namespace

std::vector<XMLElement*> Paragraphs(XMLElement* storyRoot) {
    std::vector<XMLElement*> out;
    Collect(storyRoot, out);
    return out;
}

XMLElement* FirstParagraph(XMLElement* storyRoot) {
    std::vector<XMLElement*> all = Paragraphs(storyRoot);
    if (!all.empty()) return all.front();
    XMLElement* p = storyRoot->GetDocument()->NewElement("w:p");
    if (XMLElement* sect = storyRoot->FirstChildElement("w:sectPr"))
        ooxml::InsertBefore(sect, p);
    else
        storyRoot->InsertEndChild(p);
    return p;
}

int IndexOf(const std::vector<XMLElement*>& paragraphs, const XMLElement* paragraph) {
    for (size_t i = 0; i < paragraphs.size(); ++i)
        if (paragraphs[i] == paragraph) return static_cast<int>(i);
    return -1;
}

namespace {

bool IsContainer(const XMLElement* e) {
    return Is(e, "w:tbl") || Is(e, "w:tr") || Is(e, "w:tc") || Is(e, "w:sdt") || Is(e, "w:sdtContent") ||
           Is(e, "w:customXml");
}

// The first (last) paragraph inside `element` in reading order, the element itself for a paragraph.
XMLElement* Edge(XMLElement* element, bool first) {
    if (Is(element, "w:p")) return element;
    if (!IsContainer(element)) return nullptr;
    for (XMLElement* c = first ? element->FirstChildElement() : element->LastChildElement(); c;
         c = first ? c->NextSiblingElement() : c->PreviousSiblingElement())
        if (XMLElement* found = Edge(c, first)) return found;
    return nullptr;
}

XMLElement* Step(XMLElement* paragraph, XMLElement* storyRoot, bool forward) {
    for (XMLElement* at = paragraph; at && at != storyRoot;
         at = at->Parent() ? at->Parent()->ToElement() : nullptr) {
        for (XMLElement* s = forward ? at->NextSiblingElement() : at->PreviousSiblingElement(); s;
             s = forward ? s->NextSiblingElement() : s->PreviousSiblingElement())
            if (XMLElement* found = Edge(s, forward)) return found;
    }
    return nullptr;
}

} // namespace

bool InStory(const XMLElement* paragraph, const XMLElement* storyRoot) {
    if (!Is(paragraph, "w:p")) return false;
    const tinyxml2::XMLNode* at = paragraph->Parent();
    for (; at && at != storyRoot; at = at->Parent())
        if (!IsContainer(at->ToElement())) return false;
    return at == storyRoot;
}

XMLElement* NextParagraph(XMLElement* paragraph, XMLElement* storyRoot) {
    return Step(paragraph, storyRoot, true);
}

XMLElement* PreviousParagraph(XMLElement* paragraph, XMLElement* storyRoot) {
    return Step(paragraph, storyRoot, false);
}

XMLElement* EnclosingTable(XMLElement* paragraph) {
    return Ancestor(paragraph, "w:tbl");
}
XMLElement* EnclosingRow(XMLElement* paragraph) {
    return Ancestor(paragraph, "w:tr");
}
XMLElement* EnclosingCell(XMLElement* paragraph) {
    return Ancestor(paragraph, "w:tc");
}

std::vector<XMLElement*> Tables(XMLElement* storyRoot) {
    std::vector<XMLElement*> out;
    CollectTables(storyRoot, out);
    return out;
}

std::vector<StoryPosition> PageStarts(const std::vector<XMLElement*>& paragraphs) {
    std::vector<StoryPosition> starts{{0, 0}};
    auto add = [&starts](StoryPosition at) {
        if (starts.back() < at) starts.push_back(at);
    };
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const int index = static_cast<int>(i);
        const XMLElement* pPr = paragraphs[i]->FirstChildElement("w:pPr");
        if (pPr && pPr->FirstChildElement("w:pageBreakBefore")) add({index, 0});
        for (const Piece& piece : Pieces(paragraphs[i])) {
            const char* type = piece.node->Attribute("w:type");
            if (Is(piece.node, "w:br") && type && std::string_view(type) == "page")
                add({index, piece.start + 1});
        }
        if (pPr && pPr->FirstChildElement("w:sectPr") && i + 1 < paragraphs.size()) add({index + 1, 0});
    }
    return starts;
}

std::vector<StoryPosition> PicturePositions(const std::vector<XMLElement*>& paragraphs) {
    std::vector<StoryPosition> out;
    for (size_t i = 0; i < paragraphs.size(); ++i)
        for (const Piece& piece : Pieces(paragraphs[i]))
            if (Is(piece.node, "w:drawing") || Is(piece.node, "w:pict"))
                out.push_back({static_cast<int>(i), piece.start});
    return out;
}

int HeadingLevel(XMLElement* paragraph, XMLElement* styles) {
    const XMLElement* pPr = paragraph->FirstChildElement("w:pPr");
    if (const int own = OutlineLevel(pPr); own >= 0) return own;
    const XMLElement* styleRef = pPr ? pPr->FirstChildElement("w:pStyle") : nullptr;
    const char* id = styleRef ? styleRef->Attribute("w:val") : nullptr;
    if (!id) return 0;
    // Follow the style and the styles it is based on.
    std::string current = id;
    for (int depth = 0; depth < 10 && styles; ++depth) {
        const XMLElement* style = nullptr;
        for (const XMLElement* s = styles->FirstChildElement("w:style"); s;
             s = s->NextSiblingElement("w:style"))
            if (const char* sid = s->Attribute("w:styleId"); sid && current == sid) style = s;
        if (!style) break;
        if (const int level = OutlineLevel(style->FirstChildElement("w:pPr")); level >= 0) return level;
        const XMLElement* name = style->FirstChildElement("w:name");
        if (const int level = name && name->Attribute("w:val") ? LevelFromName(name->Attribute("w:val")) : 0)
            return level;
        const XMLElement* based = style->FirstChildElement("w:basedOn");
        if (!based || !based->Attribute("w:val")) break;
        current = based->Attribute("w:val");
    }
    return LevelFromName(id);
}

} // namespace inkwright
