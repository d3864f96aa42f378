#include "reports/ContentsPages.h"

#include <functional>
#include <string_view>

#include "Package.h"
#include "XmlPart.h"

namespace {

constexpr const char* kDocumentPart = "word/document.xml";

bool IsContentsParagraph(const tinyxml2::XMLElement* p) {
    const tinyxml2::XMLElement* pPr = p->FirstChildElement("w:pPr");
    const tinyxml2::XMLElement* style = pPr ? pPr->FirstChildElement("w:pStyle") : nullptr;
    const char* id = style ? style->Attribute("w:val") : nullptr;
    return id && std::string_view(id).size() == 4 && std::string_view(id).substr(0, 3) == "TOC" &&
           id[3] >= '1' && id[3] <= '9';
}

// Every contents paragraph below `node`, in document order (they may sit in a content control).
void ContentsParagraphs(tinyxml2::XMLElement* node, std::vector<tinyxml2::XMLElement*>& out) {
    for (tinyxml2::XMLElement* c = node->FirstChildElement(); c; c = c->NextSiblingElement()) {
        if (std::string_view(c->Name()) == "w:p") {
            if (IsContentsParagraph(c)) out.push_back(c);
        } else {
            ContentsParagraphs(c, out);
        }
    }
}

// The text runs of an entry in order, and whether each comes after the entry's last tab (the
// page number).
struct EntryTexts {
    std::vector<tinyxml2::XMLElement*> heading;
    std::vector<tinyxml2::XMLElement*> number;
};

void CollectTexts(tinyxml2::XMLElement* node, std::vector<tinyxml2::XMLElement*>& texts,
                  std::vector<bool>& tabs) {
    for (tinyxml2::XMLElement* c = node->FirstChildElement(); c; c = c->NextSiblingElement()) {
        const std::string_view name = c->Name();
        if (name == "w:t") {
            texts.push_back(c);
            tabs.push_back(false);
        } else if (name == "w:tab" && std::string_view(node->Name()) == "w:r") {
            texts.push_back(nullptr);
            tabs.push_back(true);
        } else if (name != "w:pPr" && name != "w:rPr" && name != "w:instrText") {
            CollectTexts(c, texts, tabs);
        }
    }
}

EntryTexts Split(tinyxml2::XMLElement* paragraph) {
    std::vector<tinyxml2::XMLElement*> texts;
    std::vector<bool> tabs;
    CollectTexts(paragraph, texts, tabs);
    size_t lastTab = texts.size();
    for (size_t i = 0; i < tabs.size(); ++i)
        if (tabs[i]) lastTab = i;
    EntryTexts entry;
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i])
            (i < lastTab || lastTab == texts.size() ? entry.heading : entry.number).push_back(texts[i]);
    return entry;
}

std::string Join(const std::vector<tinyxml2::XMLElement*>& texts) {
    std::string out;
    for (const tinyxml2::XMLElement* t : texts) out += t->GetText() ? t->GetText() : "";
    return out;
}

std::string Trimmed(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return std::string(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
}

bool EachEntry(ooxml::Package& package, tinyxml2::XMLDocument& doc,
               const std::function<void(tinyxml2::XMLElement*)>& visit) {
    const std::string* bytes = package.Part(kDocumentPart);
    if (!bytes || !ooxml::ParseXml(*bytes, doc) || !doc.RootElement()) return false;
    std::vector<tinyxml2::XMLElement*> paragraphs;
    ContentsParagraphs(doc.RootElement(), paragraphs);
    for (tinyxml2::XMLElement* p : paragraphs) visit(p);
    return true;
}

} // namespace

std::vector<ContentsEntry> ReadContentsEntries(const std::string& docxPath) {
    ooxml::Package package;
    std::string error;
    std::vector<ContentsEntry> entries;
    if (!package.Open(docxPath, error)) return entries;
    tinyxml2::XMLDocument doc;
    EachEntry(package, doc, [&](tinyxml2::XMLElement* p) {
        const EntryTexts texts = Split(p);
        ContentsEntry entry{Trimmed(Join(texts.heading)), 0};
        try {
            entry.page = std::stoi(Join(texts.number));
        } catch (const std::exception&) { entry.page = 0; }
        entries.push_back(std::move(entry));
    });
    return entries;
}

std::vector<ContentsEntry> PrintedPages(const std::vector<ContentsEntry>& entries,
                                        const std::vector<std::string>& pageTexts) {
    std::vector<ContentsEntry> out = entries;
    size_t from = 0;
    for (ContentsEntry& entry : out) {
        if (entry.heading.empty()) continue;
        for (size_t page = from; page < pageTexts.size(); ++page) {
            bool found = false;
            std::string_view text = pageTexts[page];
            for (size_t begin = 0; begin <= text.size() && !found;) {
                size_t end = text.find('\n', begin);
                if (end == std::string_view::npos) end = text.size();
                found = Trimmed(text.substr(begin, end - begin)) == entry.heading;
                begin = end + 1;
            }
            if (found) {
                entry.page = static_cast<int>(page) + 1;
                from = page;
                break;
            }
        }
    }
    return out;
}

bool WriteContentsPages(const std::string& docxPath, const std::vector<ContentsEntry>& entries,
                        std::string& error) {
    ooxml::Package package;
    if (!package.Open(docxPath, error)) return false;
    tinyxml2::XMLDocument doc;
    size_t index = 0;
    const bool read = EachEntry(package, doc, [&](tinyxml2::XMLElement* p) {
        if (index >= entries.size()) return;
        const EntryTexts texts = Split(p);
        if (!texts.number.empty()) {
            texts.number.front()->SetText(std::to_string(entries[index].page).c_str());
            for (size_t i = 1; i < texts.number.size(); ++i) texts.number[i]->SetText("");
        }
        ++index;
    });
    if (!read) {
        error = "the document has no readable main part: " + docxPath;
        return false;
    }
    package.SetPart(kDocumentPart, ooxml::SerialiseXml(doc));
    return package.SaveAs(docxPath, error);
}

bool WriteLeadingCopy(const std::string& docxPath, const std::string& copyPath,
                      const std::string& lastHeading, std::string& error) {
    ooxml::Package package;
    if (!package.Open(docxPath, error)) return false;
    tinyxml2::XMLDocument doc;
    const std::string* bytes = package.Part(kDocumentPart);
    tinyxml2::XMLElement* body = bytes && ooxml::ParseXml(*bytes, doc) && doc.RootElement()
                                     ? doc.RootElement()->FirstChildElement("w:body")
                                     : nullptr;
    tinyxml2::XMLElement* heading = nullptr;
    for (tinyxml2::XMLElement* c = body ? body->FirstChildElement("w:p") : nullptr; c;
         c = c->NextSiblingElement("w:p")) {
        if (!IsContentsParagraph(c) && Trimmed(Join(Split(c).heading)) == lastHeading) heading = c;
    }
    if (!heading) {
        error = "no heading \"" + lastHeading + "\" in " + docxPath;
        return false;
    }
    // The heading keeps with the paragraph after it, which may keep with its own next: two more
    // stay so the heading is laid out as in the whole document.
    tinyxml2::XMLElement* last = heading;
    for (int i = 0; i < 2; ++i)
        if (tinyxml2::XMLElement* next = last->NextSiblingElement();
            next && std::string_view(next->Name()) != "w:sectPr")
            last = next;
    for (tinyxml2::XMLElement* c = last->NextSiblingElement(); c;) {
        tinyxml2::XMLElement* next = c->NextSiblingElement();
        if (std::string_view(c->Name()) != "w:sectPr") body->DeleteChild(c);
        c = next;
    }
    package.SetPart(kDocumentPart, ooxml::SerialiseXml(doc));
    return package.SaveAs(copyPath, error);
}
