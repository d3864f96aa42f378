#include "Contents.h"

#include <string>
#include <string_view>
#include <vector>

#include "ParagraphText.h"
#include "Story.h"
#include "XmlPart.h"

namespace inkwright {
namespace {

constexpr const char* kInstruction = " TOC \\o \"1-3\" \\h \\z \\u ";
constexpr const char* kNoEntries = "No table of contents entries found.";

struct Entry {
    int level = 1;
    std::string text;
    int page = 1;
};

bool Is(const XMLElement* e, std::string_view name) {
    return e && name == e->Name();
}

// The field character or instruction of a run: "begin", "separate", "end", "instr:<text>" or "".
std::string FieldPart(const XMLElement* run) {
    for (const XMLElement* c = run->FirstChildElement(); c; c = c->NextSiblingElement()) {
        if (Is(c, "w:fldChar") && c->Attribute("w:fldCharType")) return c->Attribute("w:fldCharType");
        if (Is(c, "w:instrText")) return std::string("instr:") + (c->GetText() ? c->GetText() : "");
    }
    return {};
}

std::vector<XMLElement*> Runs(XMLElement* paragraph) {
    std::vector<XMLElement*> runs;
    for (XMLElement* c = paragraph->FirstChildElement(); c; c = c->NextSiblingElement())
        if (Is(c, "w:r"))
            runs.push_back(c);
        else if (Is(c, "w:hyperlink"))
            for (XMLElement* r = c->FirstChildElement("w:r"); r; r = r->NextSiblingElement("w:r"))
                runs.push_back(r);
    return runs;
}

// The paragraphs [first, last] that hold the first TOC field; false when there is none.
bool FindContents(const std::vector<XMLElement*>& paragraphs, int& first, int& last) {
    first = last = -1;
    int depth = 0;
    int beginParagraph = -1;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        for (XMLElement* run : Runs(paragraphs[i])) {
            const std::string part = FieldPart(run);
            if (part == "begin") {
                if (depth == 0) beginParagraph = static_cast<int>(i);
                ++depth;
            } else if (part.rfind("instr:", 0) == 0 && depth == 1 && first < 0) {
                std::string instr = part.substr(6);
                instr.erase(0, instr.find_first_not_of(' '));
                if (instr.rfind("TOC", 0) == 0) first = beginParagraph;
            } else if (part == "end" && depth > 0) {
                if (--depth == 0 && first >= 0) {
                    last = static_cast<int>(i);
                    return true;
                }
            }
        }
    }
    return false;
}

std::vector<Entry> Entries(const std::vector<XMLElement*>& paragraphs, XMLElement* styles, int skipFirst,
                           int skipLast) {
    const std::vector<StoryPosition> pages = PageStarts(paragraphs);
    std::vector<Entry> entries;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (static_cast<int>(i) >= skipFirst && static_cast<int>(i) <= skipLast) continue;
        const int level = HeadingLevel(paragraphs[i], styles);
        if (level < 1 || level > 3) continue;
        std::u32string text;
        for (char32_t c : ParagraphText(paragraphs[i])) text += c == kObjectCharacter ? U' ' : c;
        if (text.find_first_not_of(U' ') == std::u32string::npos) continue;
        int page = 0;
        for (const StoryPosition& start : pages)
            if (start <= StoryPosition{static_cast<int>(i), 0}) ++page;
        entries.push_back({level, ToUtf8(text), page});
    }
    return entries;
}

XMLElement* Run(XMLElement* paragraph) {
    return ooxml::AppendElement(paragraph, "w:r");
}

void FieldChar(XMLElement* paragraph, const char* type) {
    XMLElement* c = ooxml::AppendElement(Run(paragraph), "w:fldChar");
    c->SetAttribute("w:fldCharType", type);
    if (std::string_view(type) == "begin") c->SetAttribute("w:dirty", "true");
}

void Text(XMLElement* paragraph, const std::string& text) {
    XMLElement* t = ooxml::AppendElement(Run(paragraph), "w:t");
    t->SetAttribute("xml:space", "preserve");
    t->SetText(text.c_str());
}

XMLElement* EntryParagraph(tinyxml2::XMLDocument* doc, const Entry& entry, int rightTab) {
    XMLElement* p = doc->NewElement("w:p");
    XMLElement* pPr = ooxml::AppendElement(p, "w:pPr");
    ooxml::AppendElement(pPr, "w:pStyle")
        ->SetAttribute("w:val", ("TOC" + std::to_string(entry.level)).c_str());
    XMLElement* tab = ooxml::AppendElement(ooxml::AppendElement(pPr, "w:tabs"), "w:tab");
    tab->SetAttribute("w:val", "right");
    tab->SetAttribute("w:leader", "dot");
    tab->SetAttribute("w:pos", rightTab);
    return p;
}

// The field's paragraphs, in order, with `instruction`.
std::vector<XMLElement*> Build(tinyxml2::XMLDocument* doc, const std::vector<Entry>& entries,
                               const std::string& instruction) {
    std::vector<XMLElement*> out;
    const int rightTab = 9628;
    if (entries.empty()) {
        XMLElement* p = doc->NewElement("w:p");
        out.push_back(p);
    }
    for (const Entry& entry : entries) out.push_back(EntryParagraph(doc, entry, rightTab));
    XMLElement* first = out.front();
    FieldChar(first, "begin");
    XMLElement* instr = ooxml::AppendElement(Run(first), "w:instrText");
    instr->SetAttribute("xml:space", "preserve");
    instr->SetText(instruction.c_str());
    FieldChar(first, "separate");
    if (entries.empty()) Text(first, kNoEntries);
    for (size_t i = 0; i < entries.size(); ++i) {
        Text(out[i], entries[i].text);
        ooxml::AppendElement(Run(out[i]), "w:tab");
        Text(out[i], std::to_string(entries[i].page));
    }
    FieldChar(out.back(), "end");
    return out;
}

} // namespace

void InsertContentsBefore(XMLElement* body, XMLElement* before, XMLElement* styles) {
    const std::vector<Entry> entries = Entries(Paragraphs(body), styles, -1, -1);
    for (XMLElement* p : Build(body->GetDocument(), entries, kInstruction)) ooxml::InsertBefore(before, p);
}

bool RebuildContents(XMLElement* body, XMLElement* styles, XMLElement*& keep) {
    const std::vector<XMLElement*> paragraphs = Paragraphs(body);
    int first = 0, last = 0;
    if (!FindContents(paragraphs, first, last)) return false;
    std::string instruction = kInstruction;
    for (XMLElement* run : Runs(paragraphs[first]))
        if (const std::string part = FieldPart(run); part.rfind("instr:", 0) == 0) {
            instruction = part.substr(6);
            break;
        }
    const std::vector<Entry> entries = Entries(paragraphs, styles, first, last);
    XMLElement* anchor = paragraphs[first];
    for (XMLElement* p : Build(body->GetDocument(), entries, instruction)) ooxml::InsertBefore(anchor, p);
    // Text after the field's end in its last paragraph stays, in a paragraph of its own.
    XMLElement* tail = paragraphs[last];
    bool afterEnd = false;
    std::vector<XMLElement*> kept;
    int depth = 0;
    for (XMLElement* run : Runs(tail)) {
        const std::string part = FieldPart(run);
        if (afterEnd) kept.push_back(run);
        if (part == "begin") ++depth;
        if (part == "end" && --depth <= 0 && first != last) afterEnd = true;
    }
    if (!kept.empty()) {
        XMLElement* p = body->GetDocument()->NewElement("w:p");
        ooxml::InsertBefore(anchor, p);
        for (XMLElement* run : kept) p->InsertEndChild(run);
    }
    XMLElement* after = NextParagraph(paragraphs[last], body);
    if (!after) after = anchor->PreviousSiblingElement("w:p"); // the new field's last paragraph
    for (int i = first; i <= last; ++i) {
        if (paragraphs[i] == keep) keep = after;
        paragraphs[i]->Parent()->DeleteChild(paragraphs[i]);
    }
    return true;
}

void RequestFieldUpdate(XMLElement* settings) {
    XMLElement* update = settings->FirstChildElement("w:updateFields");
    if (!update) {
        update = settings->GetDocument()->NewElement("w:updateFields");
        // The settings schema orders its children: this one precedes the header shape defaults,
        // note properties, compatibility settings and everything after them.
        static const char* const kLater[] = {"w:hdrShapeDefaults",
                                             "w:footnotePr",
                                             "w:endnotePr",
                                             "w:compat",
                                             "w:docVars",
                                             "w:rsids",
                                             "m:mathPr",
                                             "w:attachedSchema",
                                             "w:themeFontLang",
                                             "w:clrSchemeMapping",
                                             "w:doNotIncludeSubdocsInStats",
                                             "w:doNotAutoCompressPictures",
                                             "w:forceUpgrade",
                                             "w:captions",
                                             "w:readModeInkLockDown",
                                             "w:smartTagType",
                                             "sl:schemaLibrary",
                                             "w:shapeDefaults",
                                             "w:doNotEmbedSmartTags",
                                             "w:decimalSymbol",
                                             "w:listSeparator"};
        XMLElement* later = nullptr;
        for (XMLElement* c = settings->FirstChildElement(); c && !later; c = c->NextSiblingElement())
            for (const char* name : kLater)
                if (std::string_view(c->Name()) == name) later = c;
        if (later)
            ooxml::InsertBefore(later, update);
        else
            settings->InsertEndChild(update);
    }
    update->SetAttribute("w:val", "true");
}

} // namespace inkwright
