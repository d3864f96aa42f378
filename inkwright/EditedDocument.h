#pragma once
#include <map>
#include <memory>
#include <string>
#include <tinyxml2.h>

#include "ContentTypes.h"
#include "Package.h"
#include "Relationships.h"

namespace inkwright {

using tinyxml2::XMLElement;

// The selection: a character range inside one paragraph (collapsed when start == end).
struct Selection {
    XMLElement* paragraph = nullptr;
    int start = 0;
    int end = 0;
    bool Collapsed() const { return start == end; }
    void CollapseTo(int at) { start = end = at; }
};

// The module-wide state of the library: the open document package with the parts being edited,
// the active story (the main document or a header or footer) and the selection in it.
class EditedDocument {
  public:
    bool IsOpen() const { return m_open; }
    // Opens a package; throws InkwrightError when it is not a word-processing document.
    void Open(const std::string& path);
    void CreateBlank();
    // Writes every edited part back and saves the package atomically; throws on failure.
    void Save(const std::string& path);
    void Close();
    const std::string& Path() const { return m_path; }
    const std::string& MainPart() const { return m_mainPart; }

    // A parsed XML part, parsed on first use and written back on saving; throws when it is missing
    // or not XML.
    tinyxml2::XMLDocument& Xml(const std::string& part);
    bool HasPart(const std::string& part) const { return m_xml.count(part) || m_package.HasPart(part); }
    ooxml::Relationships& Rels(const std::string& part);
    ooxml::ContentTypes& Types() { return m_types; }
    void SetBinaryPart(const std::string& part, std::string bytes) {
        m_package.SetPart(part, std::move(bytes));
    }
    // A part name "word/<stem>N.<extension>" not used yet.
    std::string NewPartName(const std::string& stem, const std::string& extension) const;

    // The story the selection moves in: w:body of the main part, or the w:hdr / w:ftr root.
    XMLElement* StoryRoot();
    const std::string& ActivePart() const { return m_activePart; }
    // Makes a part the active story; the main document's selection is kept while away.
    void Activate(const std::string& part);
    // The main document's selection, whichever story is active.
    Selection& MainSelection() { return m_activePart == m_mainPart ? selection : m_mainSelection; }

    Selection selection;
    Selection savedRange; // kept by InsertTable, InsertContents and SetBgColor
    bool matchCase = false;
    bool matchWholeWord = false;
    int typingColor = 0; // Color of typed text; 0 leaves the text's own colour
    bool visible = true;
    int nextDrawingId = 1;

  private:
    void Reset();

    bool m_open = false;
    std::string m_path;
    ooxml::Package m_package;
    ooxml::ContentTypes m_types;
    std::map<std::string, std::unique_ptr<tinyxml2::XMLDocument>> m_xml;
    std::map<std::string, ooxml::Relationships> m_rels;
    std::string m_mainPart;
    std::string m_activePart;
    Selection m_mainSelection;
};

EditedDocument& TheEditedDocument();

// Throws InkwrightError unless a document is open.
EditedDocument& OpenEditedDocument();

} // namespace inkwright
