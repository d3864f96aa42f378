#include "Inkwright.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include "Contents.h"
#include "DocumentParts.h"
#include "EditedDocument.h"
#include "FindReplace.h"
#include "LockFiles.h"
#include "ParagraphText.h"
#include "Pictures.h"
#include "Story.h"
#include "Tables.h"
#include "XmlPart.h"
#include "XmlText.h"

using namespace inkwright;

namespace {

InkwrightNotifier* g_notifier = nullptr;

void Show(const char* text) {
    if (g_notifier)
        g_notifier->Message(text);
    else
        std::cerr << text << "\n";
}

bool ValidDirection(int direction) {
    return direction == kInkBackward || direction == kInkForward;
}

} // namespace

bool DocumentInUse(const std::string& path) {
    // Opened without waiting and only as a regular file: a named pipe at the name must not hang
    // the check, and cannot be a document anyway.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return true;
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    return !regular || !ooxml::LockFileBeside(path).empty();
}

namespace {

std::vector<XMLElement*> StoryParagraphs(EditedDocument& s) {
    return Paragraphs(s.StoryRoot());
}

// The selection's place in the story's reading order.
StoryPosition Where(EditedDocument& s, const std::vector<XMLElement*>& paragraphs, int offset) {
    int index = IndexOf(paragraphs, s.selection.paragraph);
    if (index < 0) {
        // The selection's paragraph left the story (a deleted table): start over at its beginning.
        s.selection = Selection();
        s.selection.paragraph = paragraphs.empty() ? FirstParagraph(s.StoryRoot()) : paragraphs.front();
        index = 0;
        offset = 0;
    }
    return {index, offset};
}

// The selection made valid for an operation at it: a typed report calls this for every cell, so
// the story is listed only when the selection is no longer in it.
void Anchor(EditedDocument& s) {
    if (!s.selection.paragraph || !InStory(s.selection.paragraph, s.StoryRoot()))
        Where(s, StoryParagraphs(s), 0);
}

// The selection's paragraph for the editing operations. Every operation that removes paragraphs
// moves the selection out of them first, so the paragraph is always part of the active story.
XMLElement* Current(EditedDocument& s) {
    if (!s.selection.paragraph) Where(s, StoryParagraphs(s), 0);
    return s.selection.paragraph;
}

void MoveTo(EditedDocument& s, XMLElement* paragraph, int offset) {
    s.selection.paragraph = paragraph;
    s.selection.CollapseTo(offset);
}

// Word's GoTo for headings, pages, tables and pictures: counted from the target the selection is in
// (the last one at or before it), `number` targets on or back; the first or last when there are fewer.
template <typename Targets> void GoTo(EditedDocument& s, Targets targetsOf, int number, int direction) {
    const std::vector<XMLElement*> paragraphs = StoryParagraphs(s);
    const std::vector<StoryPosition> targets = targetsOf(s, paragraphs);
    if (targets.empty()) return;
    const StoryPosition here = Where(s, paragraphs, s.selection.start);
    int current = -1;
    for (size_t i = 0; i < targets.size(); ++i)
        if (targets[i] <= here) current = static_cast<int>(i);
    const int last = static_cast<int>(targets.size()) - 1;
    const int chosen = std::clamp(direction == kInkForward ? current + number : current - number, 0, last);
    MoveTo(s, paragraphs[targets[chosen].paragraph], targets[chosen].offset);
}

// The checks of the moving operations: the count first (at least `minimum`), then the direction.
bool CountAndDirectionValid(int count, int minimum, const char* countMessage, int direction) {
    if (count < minimum) {
        Show(countMessage);
        return false;
    }
    if (!ValidDirection(direction)) {
        Show("Error Direction!");
        return false;
    }
    return true;
}

std::vector<StoryPosition> HeadingTargets(EditedDocument& s, const std::vector<XMLElement*>& paragraphs) {
    XMLElement* styles = RelatedRoot(s, ooxml::kRelStyles);
    std::vector<StoryPosition> targets;
    for (size_t i = 0; i < paragraphs.size(); ++i)
        if (HeadingLevel(paragraphs[i], styles) > 0) targets.push_back({static_cast<int>(i), 0});
    return targets;
}

std::vector<StoryPosition> TableTargets(EditedDocument& s, const std::vector<XMLElement*>& paragraphs) {
    std::vector<StoryPosition> targets;
    for (XMLElement* table : Tables(s.StoryRoot())) {
        const std::vector<XMLElement*> inside = Paragraphs(table);
        if (!inside.empty()) targets.push_back({IndexOf(paragraphs, inside.front()), 0});
    }
    return targets;
}

std::string DrawingXml(int id, const std::string& relId, const std::string& name, int width, int height) {
    const std::string cx = std::to_string(static_cast<long long>(width) * 9525);
    const std::string cy = std::to_string(static_cast<long long>(height) * 9525);
    const std::string n = std::to_string(id);
    return "<w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" + cx +
           "\" cy=\"" + cy + "\"/><wp:docPr id=\"" + n + "\" name=\"Picture " + n +
           "\"/><wp:cNvGraphicFramePr><a:graphicFrameLocks "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" noChangeAspect=\"1\"/>"
           "</wp:cNvGraphicFramePr><a:graphic "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
           "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic "
           "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:nvPicPr><pic:cNvPr "
           "id=\"0\" "
           "name=\"" +
           name + "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" + relId +
           "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" "
           "y=\"0\"/><a:ext "
           "cx=\"" +
           cx + "\" cy=\"" + cy +
           "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
           "</pic:spPr></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing>";
}

// Typed text replaces a non-empty selection, as in the word processor.
void ClearSelectedText(EditedDocument& s) {
    if (s.selection.Collapsed()) return;
    DeleteText(s.selection.paragraph, s.selection.start, s.selection.end);
    s.selection.CollapseTo(s.selection.start);
}

} // namespace

unsigned FontColorValue(int color) {
    switch (color) {
    case kInkBlack:
        return 0x000000;
    case kInkBlue:
        return 0xFF0000;
    case kInkPink:
        return 0xFF00FF;
    case kInkRed:
        return 0x0000FF;
    case kInkYellow:
        return 0x00FFFF;
    case kInkWhite:
        return 0xFFFFFF;
    case kInkGreen:
        return 0x008000;
    default:
        return 0xFF000000;
    }
}

int HighlightIndex(int color) {
    static const int kIndexes[] = {0, 1, 2, 5, 6, 7, 8, 11};
    return color >= 1 && color <= 7 ? kIndexes[color] : 0;
}

CInkwright::CInkwright() {
    TheEditedDocument().matchCase = false;
    TheEditedDocument().matchWholeWord = false;
}
CInkwright::~CInkwright() = default;
CInkwright::CInkwright(const CInkwright&) {}
CInkwright& CInkwright::operator=(const CInkwright&) {
    return *this;
}

void CInkwright::SetNotifier(InkwrightNotifier* notifier) {
    g_notifier = notifier;
}

int CInkwright::InitialApp() {
    // No outside program to start: the library edits the packages itself.
    return 1;
}

int CInkwright::CreateDocument() {
    if (!InitialApp()) return 0;
    TheEditedDocument().CreateBlank();
    return 1;
}

int CInkwright::OpenDocument(const std::string& path) {
    if (path.empty()) {
        Show("Open document name should not be empty!");
        return 0;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        Show("Word file doesn't exist, please check it!");
        return 0;
    }
    if (DocumentInUse(path)) {
        Show("Current file is in use by another program, please close it first!");
        return 0;
    }
    if (!InitialApp()) return 0;
    TheEditedDocument().Open(path);
    return 1;
}

void CInkwright::ShowDocument() {
    TheEditedDocument().visible = true;
}
void CInkwright::HideDocument() {
    TheEditedDocument().visible = false;
}

void CInkwright::SaveDocument() {
    EditedDocument& s = OpenEditedDocument();
    s.Save(s.Path());
}

void CInkwright::SaveAsDocument(const std::string& path) {
    OpenEditedDocument().Save(path);
}

void CInkwright::CloseDocument() {
    TheEditedDocument().Close();
}

void CInkwright::InsertText(const std::string& text) {
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    ClearSelectedText(s);
    const int at = s.selection.start;
    // Texts come from file and folder names: what XML cannot hold never reaches a part.
    const int count = InsertTextAt(s.selection.paragraph, at, ooxml::XmlSafeText(text),
                                   FormattingAt(s.selection.paragraph, at), s.typingColor);
    s.selection.CollapseTo(at + count);
}

void CInkwright::InsertParagraph(int count) {
    if (count <= 0) {
        Show("Error Paragraph Num!");
        return;
    }
    EditedDocument& s = OpenEditedDocument();
    Current(s);
    ClearSelectedText(s);
    for (int i = 0; i < count; ++i) MoveTo(s, SplitParagraph(s.selection.paragraph, s.selection.start), 0);
}

void CInkwright::InsertPicture(const std::string& path) {
    if (path.empty()) {
        Show("Path name of picture can not empty!");
        return;
    }
    EditedDocument& s = OpenEditedDocument();
    Current(s);
    const StoredPicture picture = ReadPicture(path);
    ClearSelectedText(s);
    const std::string relId = AddPicturePart(s, picture.bytes, picture.extension);
    EnsureDrawingNamespaces(s.StoryRoot());
    tinyxml2::XMLDocument fragment;
    std::string name;
    ooxml::AppendXmlEscaped(name, std::filesystem::path(path).filename().string());
    const std::string xml = "<w:r xmlns:w=\"w\" xmlns:wp=\"wp\" xmlns:r=\"r\">" +
                            DrawingXml(s.nextDrawingId++, relId, name, picture.width, picture.height) +
                            "</w:r>";
    if (fragment.Parse(xml.c_str()) != tinyxml2::XML_SUCCESS) throw InkwrightError("picture markup");
    XMLElement* run = fragment.RootElement()->DeepClone(s.selection.paragraph->GetDocument())->ToElement();
    for (const char* helper : {"xmlns:w", "xmlns:wp", "xmlns:r"}) run->DeleteAttribute(helper);
    const int at = s.selection.start;
    InsertRunAt(s.selection.paragraph, at, run);
    s.selection.CollapseTo(at + 1);
}

void CInkwright::InsertTable(int rows, int columns) {
    if (rows < 0) {
        Show("Error Row Num!");
        return;
    }
    if (columns < 0) {
        Show("Error Column Num!");
        return;
    }
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    s.savedRange = s.selection;
    XMLElement* styles = RelatedRoot(s, ooxml::kRelStyles);
    bool grid = false;
    for (XMLElement* st = styles ? styles->FirstChildElement("w:style") : nullptr; st && !grid;
         st = st->NextSiblingElement("w:style"))
        grid = st->Attribute("w:styleId") && std::string_view(st->Attribute("w:styleId")) == "TableGrid";
    ClearSelectedText(s);
    XMLElement* first = InsertTableAt(s.selection.paragraph, s.selection.start, rows, columns, TextWidth(s),
                                      grid ? "TableGrid" : "");
    MoveTo(s, first, 0);
}

void CInkwright::SetReplaceMatchMode(int matchCase, int matchWholeWord) {
    TheEditedDocument().matchCase = matchCase == 1;
    TheEditedDocument().matchWholeWord = matchWholeWord == 1;
}

void CInkwright::FindAndReplace(const std::string& find, const std::string& typedReplacement, int mode) {
    if (mode != kInkReplaceNone && mode != kInkReplaceOne && mode != kInkReplaceAll) {
        Show("Error Replace Mode!");
        return;
    }
    const std::string replacement = ooxml::XmlSafeText(typedReplacement);
    EditedDocument& s = OpenEditedDocument();
    const std::vector<XMLElement*> paragraphs = StoryParagraphs(s);
    const FindOptions options{s.matchCase, s.matchWholeWord};
    const std::u32string needle = FromUtf8(ooxml::XmlSafeText(find));
    if (mode == kInkReplaceAll) {
        for (size_t i = 0; i < paragraphs.size(); ++i) {
            std::vector<TextMatch> matches = MatchesIn(paragraphs[i], static_cast<int>(i), needle, options);
            // From the right, so the offsets of the matches still to do stay valid.
            for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
                const int length = ReplaceMatch(paragraphs[i], *it, replacement);
                if (paragraphs[i] == s.selection.paragraph) {
                    const int shift = length - (it->end - it->start);
                    auto adjust = [&](int& at) {
                        if (at >= it->end)
                            at += shift;
                        else if (at > it->start)
                            at = it->start;
                    };
                    adjust(s.selection.start);
                    adjust(s.selection.end);
                }
            }
        }
        return;
    }
    const StoryPosition from = Where(s, paragraphs, s.selection.end);
    const std::optional<TextMatch> match = FindNext(paragraphs, from, needle, options);
    if (!match) return;
    XMLElement* paragraph = paragraphs[match->paragraph];
    s.selection.paragraph = paragraph;
    if (mode == kInkReplaceNone) {
        s.selection.start = match->start;
        s.selection.end = match->end;
        return;
    }
    const int length = ReplaceMatch(paragraph, *match, replacement);
    s.selection.start = match->start;
    s.selection.end = match->start + length;
}

void CInkwright::SetFocusRow(int count, int direction) {
    if (!CountAndDirectionValid(count, 1, "Error Row Num!", direction)) return;
    EditedDocument& s = OpenEditedDocument();
    const std::vector<XMLElement*> paragraphs = StoryParagraphs(s);
    const int here = Where(s, paragraphs, 0).paragraph;
    const int target = std::clamp(here + (direction == kInkForward ? count : -count), 0,
                                  static_cast<int>(paragraphs.size()) - 1);
    MoveTo(s, paragraphs[target], 0);
}

void CInkwright::SetFocusCol(int count, int direction) {
    if (!CountAndDirectionValid(count, 1, "Error Column Num!", direction)) return;
    EditedDocument& s = OpenEditedDocument();
    XMLElement* root = s.StoryRoot();
    XMLElement* paragraph = Current(s);
    // A selection collapses to its far end first; that counts as one move.
    int at = direction == kInkForward ? s.selection.end : s.selection.start;
    if (!s.selection.Collapsed()) --count;
    for (; count > 0; --count) {
        if (direction == kInkForward) {
            if (at < ParagraphLength(paragraph)) {
                ++at;
            } else if (XMLElement* next = NextParagraph(paragraph, root)) {
                paragraph = next;
                at = 0;
            }
        } else {
            if (at > 0) {
                --at;
            } else if (XMLElement* previous = PreviousParagraph(paragraph, root)) {
                paragraph = previous;
                at = ParagraphLength(paragraph);
            }
        }
    }
    MoveTo(s, paragraph, at);
}

void CInkwright::SetFocusHeading(int number, int direction) {
    if (CountAndDirectionValid(number, 1, "Error Heading Num!", direction))
        GoTo(
            OpenEditedDocument(),
            [](EditedDocument& s, const auto& paragraphs) { return HeadingTargets(s, paragraphs); }, number,
            direction);
}

void CInkwright::SetFocusPage(int number, int direction) {
    if (CountAndDirectionValid(number, 0, "Error Page Num!", direction))
        GoTo(
            OpenEditedDocument(),
            [](EditedDocument&, const auto& paragraphs) { return PageStarts(paragraphs); }, number,
            direction);
}

void CInkwright::SetFocusTable(int number, int direction) {
    if (CountAndDirectionValid(number, 1, "Error Table Num!", direction))
        GoTo(
            OpenEditedDocument(),
            [](EditedDocument& s, const auto& paragraphs) { return TableTargets(s, paragraphs); }, number,
            direction);
}

void CInkwright::SetFocusPicture(int number, int direction) {
    if (CountAndDirectionValid(number, 1, "Error Picture Num!", direction))
        GoTo(
            OpenEditedDocument(),
            [](EditedDocument&, const auto& paragraphs) { return PicturePositions(paragraphs); }, number,
            direction);
}

void CInkwright::InsertTableRow(int count, int direction) {
    if (!CountAndDirectionValid(count, 0, "Error Row Num!", direction)) return;
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    if (count == 0) return;
    MoveTo(s, InsertEmptyRows(s.selection.paragraph, count, direction == kInkForward), 0);
}

void CInkwright::InsertTableCol(int count, int direction) {
    if (count < 0) {
        Show("Error Column Num!");
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (!ValidDirection(direction)) {
            Show("Error Direction!");
            continue;
        }
        EditedDocument& s = OpenEditedDocument();
        Anchor(s);
        MoveTo(s, InsertEmptyColumn(s.selection.paragraph, direction == kInkForward), 0);
    }
}

void CInkwright::CopyTableRow() {
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    DuplicateRow(s.selection.paragraph);
}

void CInkwright::CopyTableCol() {
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    DuplicateColumn(s.selection.paragraph);
}

void CInkwright::UpdateContents() {
    EditedDocument& s = OpenEditedDocument();
    Selection& main = s.MainSelection();
    XMLElement* keep = main.paragraph;
    if (!RebuildContents(MainBody(s), RelatedRoot(s, ooxml::kRelStyles), keep))
        throw InkwrightError("The requested member of the collection does not exist.");
    RequestFieldUpdate(RelatedRoot(s, ooxml::kRelSettings, true));
    // A selection inside the old entries moves to the paragraph after the contents, also while a
    // header or footer is being edited: no selection is left on a removed paragraph.
    if (keep != main.paragraph) {
        main.paragraph = keep;
        main.CollapseTo(0);
    }
}

void CInkwright::InsertContents() {
    EditedDocument& s = OpenEditedDocument();
    if (s.ActivePart() != s.MainPart())
        throw InkwrightError("A table of contents belongs to the main document.");
    Anchor(s);
    s.savedRange = s.selection;
    ClearSelectedText(s);
    XMLElement* before = s.selection.paragraph;
    if (s.selection.start > 0) before = SplitParagraph(before, s.selection.start);
    InsertContentsBefore(MainBody(s), before, RelatedRoot(s, ooxml::kRelStyles));
    RequestFieldUpdate(RelatedRoot(s, ooxml::kRelSettings, true));
    MoveTo(s, before, 0);
}

void CInkwright::SetActiveView(int view) {
    if (view != kInkMainDocument && view != kInkPageHeader && view != kInkPageFooter) {
        Show("Error Activeview!");
        return;
    }
    EditedDocument& s = OpenEditedDocument();
    s.Activate(view == kInkMainDocument ? s.MainPart() : HeaderFooterPart(s, view == kInkPageFooter));
}

void CInkwright::SetFontColor(int color) {
    EditedDocument& s = OpenEditedDocument();
    Current(s);
    // Typed text takes the colour from now on; selected text takes it at once.
    s.typingColor = color >= kInkBlack && color <= kInkGreen ? color : -1;
    FormatRange(s.selection.paragraph, s.selection.start, s.selection.end, "w:color", ColorHex(color));
}

void CInkwright::SetBgColor(int color) {
    static const char* const kHighlight[] = {"",    "black",  "blue",  "magenta",
                                             "red", "yellow", "white", "green"};
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    s.savedRange = s.selection;
    FormatRange(s.selection.paragraph, s.selection.start, s.selection.end, "w:highlight",
                color >= 1 && color <= 7 ? kHighlight[color] : "");
}

void CInkwright::DeleteCurrentTable() {
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    MoveTo(s, DeleteTableAround(s.selection.paragraph), 0);
}

void CInkwright::DeleteCharacter(int count) {
    if (count <= 0) {
        Show("Error Character Num!");
        return;
    }
    EditedDocument& s = OpenEditedDocument();
    Anchor(s);
    if (!s.selection.Collapsed()) {
        ClearSelectedText(s);
        --count;
    }
    XMLElement* paragraph = s.selection.paragraph;
    const int at = s.selection.start;
    while (count > 0) {
        const int length = ParagraphLength(paragraph);
        const int take = std::min(count, length - at);
        DeleteText(paragraph, at, at + take);
        count -= take;
        if (count == 0) break;
        // Deleting the paragraph mark joins the next paragraph of the same container.
        XMLElement* next = paragraph->NextSiblingElement();
        if (!next || std::string_view(next->Name()) != "w:p") break;
        for (XMLElement* c = next->FirstChildElement(); c;) {
            XMLElement* following = c->NextSiblingElement();
            if (std::string_view(c->Name()) != "w:pPr") paragraph->InsertEndChild(c);
            c = following;
        }
        next->Parent()->DeleteChild(next);
        --count;
    }
}

void CInkwright::SetHeadingRows(int count) {
    if (count < 0) {
        Show("Error Row Num!");
        return;
    }
    EditedDocument& s = OpenEditedDocument();
    KeepTableTogetherAcrossPages(Current(s), count);
}

void CInkwright::SetColumnsPerWidth(int perWidth) {
    if (perWidth < 1) {
        Show("Error Column Num!");
        return;
    }
    EditedDocument& s = OpenEditedDocument();
    SetEqualColumnWidths(Current(s), std::max(1, TextWidth(s) / perWidth));
}

void CInkwright::KeepWithNext(int on) {
    EditedDocument& s = OpenEditedDocument();
    SetKeepWithNext(Current(s), on == 1);
}

void CInkwright::SetCellShading(const std::string& fill) {
    EditedDocument& s = OpenEditedDocument();
    XMLElement* cell = Current(s);
    while (cell && std::string_view(cell->Name()) != "w:tc")
        cell = cell->Parent() ? cell->Parent()->ToElement() : nullptr;
    if (!cell) throw InkwrightError("The selection is not in a table cell.");
    XMLElement* properties = cell->FirstChildElement("w:tcPr");
    if (!properties) {
        properties = cell->GetDocument()->NewElement("w:tcPr");
        cell->InsertFirstChild(properties);
    }
    XMLElement* shading = properties->FirstChildElement("w:shd");
    if (!shading) {
        shading = cell->GetDocument()->NewElement("w:shd");
        // The schema orders w:shd after the width, span, merge and border properties.
        XMLElement* after = nullptr;
        for (XMLElement* c = properties->FirstChildElement(); c; c = c->NextSiblingElement()) {
            const std::string_view name = c->Name();
            if (name == "w:tcW" || name == "w:gridSpan" || name == "w:hMerge" || name == "w:vMerge" ||
                name == "w:tcBorders" || name == "w:cnfStyle")
                after = c;
        }
        if (after)
            properties->InsertAfterChild(after, shading);
        else
            properties->InsertFirstChild(shading);
    }
    shading->SetAttribute("w:val", "clear");
    shading->SetAttribute("w:color", "auto");
    shading->SetAttribute("w:fill", fill.c_str());
}
