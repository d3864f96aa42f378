#include "export/Workbook.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sys/stat.h>

#include "ContentTypes.h"
#include "LockFiles.h"
#include "Relationships.h"
#include "XmlPart.h"
#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "export/ExportTexts.h"

namespace {

constexpr const char* kWorksheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr const char* kSheetNamespaces =
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return text;
}

void AppendColumnName(std::string& out, int column) {
    char letters[8];
    int count = 0;
    for (; column > 0 && count < 8; column = (column - 1) / 26)
        letters[count++] = static_cast<char>('A' + (column - 1) % 26);
    while (count > 0) out += letters[--count];
}

// The <c> element of one cell; `row` is the row number's text. A number is written as the shortest
// text that reads back to the same value, with "." whatever the locale.
void AppendCellXml(std::string& out, std::string_view row, const SheetCells::Cell& cell, int style) {
    out += "<c r=\"";
    AppendColumnName(out, cell.column);
    out += row;
    if (style > 0) {
        out += "\" s=\"";
        out += std::to_string(style);
    }
    if (cell.number) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, cell.value);
        out += "\"><v>";
        out.append(buffer, result.ptr);
        out += "</v></c>";
        return;
    }
    out += "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">";
    ooxml::AppendXmlEscaped(out, cell.text);
    out += "</t></is></c>";
}

// The (row, column) of a reference like "AB12"; false when it is none.
bool ParseReference(const char* ref, int& row, int& column) {
    row = column = 0;
    if (!ref) return false;
    const char* p = ref;
    // Beyond the sheet's last row and column a reference names no cell (and would overflow).
    for (; *p >= 'A' && *p <= 'Z'; ++p)
        if ((column = column * 26 + (*p - 'A' + 1)) > 16384) return false;
    for (; *p >= '0' && *p <= '9'; ++p)
        if ((row = row * 10 + (*p - '0')) > 1048576) return false;
    return *p == '\0' && row > 0 && column > 0;
}

} // namespace

int Workbook::StyleOf(const Sheet& sheet, int row, int column,
                      const std::array<int, kCellStyleCount>& styleIndex) {
    if (!sheet.formats.empty())
        if (const auto found = sheet.formats.find({row, column}); found != sheet.formats.end())
            return found->second;
    if (sheet.styles.empty()) return 0;
    const auto found = sheet.styles.find({row, column});
    return found == sheet.styles.end() ? 0 : styleIndex[static_cast<size_t>(found->second)];
}

std::string Workbook::StylesPart() const {
    ooxml::Relationships rels(m_package, m_workbookPart);
    const ooxml::Relationship* styles = rels.FindByType(ooxml::kRelStyles);
    return styles ? ooxml::ResolveTarget(m_workbookPart, styles->target) : std::string();
}

int Workbook::AddFillStyle(const std::string& rgb) {
    return AddFillFormat(m_package, StylesPart(), rgb);
}

void Workbook::SetCellFormat(int sheet, int row, int column, int format) {
    if (sheet < 0 || sheet >= SheetCount() || row < 1 || column < 1) return;
    if (format == 0)
        m_sheets[sheet].formats.erase({row, column});
    else
        m_sheets[sheet].formats[{row, column}] = format;
}

bool ReadsAsNumber(std::string_view text, double& value) {
    size_t begin = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) return false;
    bool negative = false;
    if (text[begin] == '+' || text[begin] == '-') negative = text[begin++] == '-';
    if (begin > end || !(std::isdigit(static_cast<unsigned char>(text[begin])) || text[begin] == '.'))
        return false;
    double parsed = 0.0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    const auto [ptr, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(parsed)) return false;
    value = negative ? -parsed : parsed;
    return true;
}

std::string ColumnName(int column) {
    std::string name;
    AppendColumnName(name, column);
    return name;
}

Workbook::Workbook() = default;
Workbook::~Workbook() = default;

bool Workbook::Open(const std::string& templatePath, std::string& error) {
    m_sheets.clear();
    if (!m_package.Open(templatePath, error)) return false;
    const ooxml::Relationships packageRels(m_package, "");
    const ooxml::Relationship* main = packageRels.FindByType(ooxml::kRelOfficeDocument);
    m_workbookPart = main ? ooxml::ResolveTarget("", main->target) : "";
    tinyxml2::XMLDocument doc;
    if (m_workbookPart.empty() || !m_package.Part(m_workbookPart) ||
        !ooxml::ParseXml(*m_package.Part(m_workbookPart), doc)) {
        const std::string* part = m_workbookPart.empty() ? nullptr : m_package.Part(m_workbookPart);
        error = part ? "the workbook part " + m_workbookPart + " cannot be read (" + ooxml::XmlFault(*part) +
                           "): " + templatePath
                     : "the file is not a workbook (no workbook part): " + templatePath;
        return false;
    }
    const ooxml::Relationships rels(m_package, m_workbookPart);
    const tinyxml2::XMLElement* sheets = doc.RootElement()->FirstChildElement("sheets");
    for (const tinyxml2::XMLElement* s = sheets ? sheets->FirstChildElement("sheet") : nullptr; s;
         s = s->NextSiblingElement("sheet")) {
        const ooxml::Relationship* rel = s->Attribute("r:id") ? rels.FindById(s->Attribute("r:id")) : nullptr;
        Sheet sheet;
        sheet.name = s->Attribute("name") ? s->Attribute("name") : "";
        sheet.part = rel ? ooxml::ResolveTarget(m_workbookPart, rel->target) : "";
        const char* state = s->Attribute("state");
        sheet.hidden = state && std::string(state) != "visible";
        m_sheets.push_back(std::move(sheet));
    }
    m_selected = 0;
    return true;
}

int Workbook::FindSheet(const std::string& name) const {
    for (size_t i = 0; i < m_sheets.size(); ++i)
        if (Lower(m_sheets[i].name) == Lower(name)) return static_cast<int>(i);
    return -1;
}

std::string Workbook::UniqueName(const std::string& wanted) const {
    std::string name;
    for (char c : XmlSafeText(wanted)) name += std::string("[]:*?/\\").find(c) == std::string::npos ? c : '_';
    if (name.empty()) name = "Sheet";
    auto cut = [](std::string text, size_t limit) {
        // Cut at a character boundary of the UTF-8 text.
        if (text.size() <= limit) return text;
        size_t at = limit;
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
        return text.substr(0, at);
    };
    std::string candidate = cut(name, 31);
    for (int n = 2; FindSheet(candidate) >= 0; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        candidate = cut(name, 31 - suffix.size()) + suffix;
    }
    return candidate;
}

int Workbook::AddSheet(const std::string& name) {
    Sheet sheet;
    sheet.name = UniqueName(name);
    sheet.added = true;
    for (int n = 1;; ++n) {
        sheet.part = "xl/worksheets/sheet" + std::to_string(n) + ".xml";
        bool used = m_package.HasPart(sheet.part);
        for (const Sheet& s : m_sheets) used = used || s.part == sheet.part;
        if (!used) break;
    }
    m_sheets.push_back(std::move(sheet));
    return static_cast<int>(m_sheets.size()) - 1;
}

bool Workbook::IsCell(int sheet, int row, int column) const {
    return sheet >= 0 && sheet < SheetCount() && row >= 1 && column >= 1 && row <= 1048576 && column <= 16384;
}

void Workbook::SetCell(int sheet, int row, int column, std::string_view text) {
    double value = 0.0;
    if (ReadsAsNumber(text, value))
        SetNumber(sheet, row, column, value);
    else if (IsCell(sheet, row, column))
        m_sheets[sheet].cells.SetText(row, column, XmlSafeText(text));
}

void Workbook::SetNumber(int sheet, int row, int column, double value) {
    if (IsCell(sheet, row, column) && std::isfinite(value))
        m_sheets[sheet].cells.SetNumber(row, column, value);
}

void Workbook::SetCellStyle(int sheet, int row, int column, CellStyle style) {
    if (IsCell(sheet, row, column)) m_sheets[sheet].styles[{row, column}] = style;
}

void Workbook::SetColumnWidth(int sheet, int column, double characters) {
    if (IsCell(sheet, 1, column) && characters > 0 && characters <= 255)
        m_sheets[sheet].columnWidths[column] = characters;
}

void Workbook::SetRowHeight(int sheet, int row, double points) {
    if (IsCell(sheet, row, 1) && points > 0 && points <= 409) m_sheets[sheet].rowHeights[row] = points;
}

void Workbook::FreezeRows(int sheet, int rows) {
    if (IsCell(sheet, rows + 1, 1) && rows >= 0) m_sheets[sheet].frozenRows = rows;
}

bool Workbook::SetSheetVisible(const std::string& name, bool visible) {
    const int index = FindSheet(name);
    if (index < 0) return false;
    m_sheets[index].hidden = !visible;
    return true;
}

void Workbook::SelectSheet(int sheet) {
    if (sheet >= 0 && sheet < SheetCount()) m_selected = sheet;
}

void Workbook::SheetXml(const Sheet& sheet, bool selected, const std::array<int, kCellStyleCount>& styleIndex,
                        std::string& xml) {
    xml += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet ";
    xml += kSheetNamespaces;
    xml += "><sheetViews><sheetView workbookViewId=\"0\"";
    if (selected) xml += " tabSelected=\"1\"";
    if (sheet.frozenRows > 0) {
        const std::string below = std::to_string(sheet.frozenRows + 1);
        xml +=
            "><pane ySplit=\"" + std::to_string(sheet.frozenRows) + "\" topLeftCell=\"A" + below +
            "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"A" +
            below + "\" sqref=\"A" + below + "\"/></sheetView>";
    } else {
        xml += "/>";
    }
    xml += "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!sheet.columnWidths.empty()) {
        xml += "<cols>";
        for (const auto& [column, width] : sheet.columnWidths) {
            const std::string c = std::to_string(column);
            xml += "<col min=\"" + c + "\" max=\"" + c + "\" width=\"" + FormatFixed(width, 2) +
                   "\" customWidth=\"1\"/>";
        }
        xml += "</cols>";
    }
    xml += "<sheetData>";
    const SheetCells& cells = sheet.cells;
    for (size_t r = 0; r < cells.RowCount(); ++r) {
        const int number = cells.RowNumber(r);
        const std::string row = std::to_string(number);
        xml += "<row r=\"";
        xml += row;
        if (auto height = sheet.rowHeights.find(number); height != sheet.rowHeights.end())
            xml += "\" ht=\"" + FormatFixed(height->second, 2) + "\" customHeight=\"1";
        xml += "\">";
        for (size_t c = 0; c < cells.CellCount(r); ++c) {
            const SheetCells::Cell cell = cells.At(r, c);
            AppendCellXml(xml, row, cell, StyleOf(sheet, number, cell.column, styleIndex));
        }
        xml += "</row>";
    }
    xml += "</sheetData></worksheet>";
}

void Workbook::MergeIntoTemplateSheet(const Sheet& sheet, bool selected,
                                      const std::array<int, kCellStyleCount>& styleIndex) {
    const std::string* bytes = m_package.Part(sheet.part);
    tinyxml2::XMLDocument doc;
    if (!bytes || !ooxml::ParseXml(*bytes, doc)) return;
    tinyxml2::XMLElement* root = doc.RootElement();
    if (tinyxml2::XMLElement* views = root->FirstChildElement("sheetViews"))
        for (auto* view = views->FirstChildElement("sheetView"); view;
             view = view->NextSiblingElement("sheetView"))
            view->SetAttribute("tabSelected", selected ? "1" : "0");
    tinyxml2::XMLElement* data = root->FirstChildElement("sheetData");
    if (!data) data = ooxml::AppendElement(root, "sheetData");
    const SheetCells& cells = sheet.cells;
    for (size_t r = 0; r < cells.RowCount(); ++r) {
        const int row = cells.RowNumber(r);
        tinyxml2::XMLElement* rowElement = nullptr;
        tinyxml2::XMLElement* before = nullptr;
        for (auto* e = data->FirstChildElement("row"); e; e = e->NextSiblingElement("row")) {
            const int number = e->IntAttribute("r");
            if (number == row) rowElement = e;
            if (number > row && !before) before = e;
        }
        if (!rowElement) {
            rowElement = doc.NewElement("row");
            rowElement->SetAttribute("r", row);
            if (before)
                ooxml::InsertBefore(before, rowElement);
            else
                data->InsertEndChild(rowElement);
        }
        for (size_t i = 0; i < cells.CellCount(r); ++i) {
            const SheetCells::Cell cell = cells.At(r, i);
            tinyxml2::XMLElement* next = nullptr;
            for (auto* c = rowElement->FirstChildElement("c"); c;) {
                auto* following = c->NextSiblingElement("c");
                int rr = 0, col = 0;
                ParseReference(c->Attribute("r"), rr, col);
                if (col == cell.column)
                    rowElement->DeleteChild(c);
                else if (col > cell.column && !next)
                    next = c;
                c = following;
            }
            std::string xml;
            AppendCellXml(xml, std::to_string(row), cell, StyleOf(sheet, row, cell.column, styleIndex));
            tinyxml2::XMLDocument fragment;
            fragment.Parse(xml.c_str());
            tinyxml2::XMLNode* element = fragment.RootElement()->DeepClone(&doc);
            if (next)
                ooxml::InsertBefore(next, element);
            else
                rowElement->InsertEndChild(element);
        }
    }
    m_package.SetPart(sheet.part, ooxml::SerialiseXml(doc));
}

int Workbook::ShownSheet() const {
    if (m_selected >= SheetCount() || !m_sheets[m_selected].hidden) return m_selected;
    for (int i = 0; i < SheetCount(); ++i)
        if (!m_sheets[i].hidden) return i;
    return m_selected;
}

void Workbook::PrepareSheets(int shown, std::vector<ooxml::GeneratedPart>& generated) {
    ooxml::Relationships rels(m_package, m_workbookPart);
    std::array<int, kCellStyleCount> styleIndex{};
    bool styled = false;
    for (const Sheet& sheet : m_sheets) styled = styled || !sheet.styles.empty();
    if (styled) styleIndex = AddCellStyles(m_package, StylesPart());
    ooxml::ContentTypes types(m_package);
    tinyxml2::XMLDocument doc;
    ooxml::ParseXml(*m_package.Part(m_workbookPart), doc);
    tinyxml2::XMLElement* root = doc.RootElement();
    tinyxml2::XMLElement* sheets = ooxml::EnsureChild(root, "sheets");
    int nextId = 1;
    for (auto* s = sheets->FirstChildElement("sheet"); s; s = s->NextSiblingElement("sheet"))
        nextId = std::max(nextId, s->IntAttribute("sheetId") + 1);
    tinyxml2::XMLElement* element = sheets->FirstChildElement("sheet");
    for (int i = 0; i < SheetCount(); ++i) {
        const Sheet& sheet = m_sheets[i];
        if (sheet.added) {
            const std::string target = sheet.part.substr(sheet.part.find('/') + 1);
            const std::string id = rels.Add(ooxml::kRelWorksheet, target);
            types.SetOverride(sheet.part, kWorksheetType);
            const bool selected = i == shown;
            generated.push_back({sheet.part, [&sheet, selected, styleIndex](std::string& bytes) {
                                     SheetXml(sheet, selected, styleIndex, bytes);
                                 }});
            tinyxml2::XMLElement* added = ooxml::AppendElement(sheets, "sheet");
            added->SetAttribute("name", sheet.name.c_str());
            added->SetAttribute("sheetId", nextId++);
            added->SetAttribute("r:id", id.c_str());
            element = added;
        } else {
            MergeIntoTemplateSheet(sheet, i == shown, styleIndex);
        }
        if (element) {
            if (sheet.hidden)
                element->SetAttribute("state", "hidden");
            else
                element->DeleteAttribute("state");
            element = element->NextSiblingElement("sheet");
        }
    }
    if (!root->Attribute("xmlns:r"))
        root->SetAttribute("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    tinyxml2::XMLElement* views = root->FirstChildElement("bookViews");
    if (tinyxml2::XMLElement* view = views ? views->FirstChildElement("workbookView") : nullptr) {
        view->SetAttribute("activeTab", shown);
        view->DeleteAttribute("firstSheet");
    }
    m_package.SetPart(m_workbookPart, ooxml::SerialiseXml(doc));
    rels.Store(m_package);
    types.Store(m_package);
}

bool Workbook::SaveCopyAs(const std::string& path, std::string& error, const std::string& outputRoot) {
    // A workbook open in an office suite would be replaced under it, and its next save would undo
    // this export: the old file stays and the user is told to close it.
    struct stat existing {};
    if (const std::string lock = ooxml::LockFileBeside(path);
        !lock.empty() && ::lstat(path.c_str(), &existing) == 0) {
        error = std::string(kTextWorkbookInUse) + " (" + lock + ")";
        return false;
    }
    // The copy is assembled from a snapshot, so saving twice gives the same workbook.
    const ooxml::Package original = m_package;
    std::vector<ooxml::GeneratedPart> generated;
    PrepareSheets(ShownSheet(), generated);
    const bool saved = WriteOutputByName(
        outputRoot, path,
        [&](const std::string& temporary, std::string& packageError) {
            return m_package.SaveAs(temporary, packageError, generated);
        },
        error);
    m_package = original;
    return saved;
}
