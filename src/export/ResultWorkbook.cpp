#include <algorithm>
#include <string_view>
#include <vector>

#include "app/Log.h"
#include "app/TextUtil.h"
#include "app/Version.h"
#include "document/QuadrelDoc.h"
#include "export/DatasheetSheet.h"
#include "export/ExcelWorkbooks.h"
#include "export/ExportState.h"
#include "export/Workbook.h"
#include "results/ResultTable.h"

namespace {

constexpr double kLineHeight = 13.0;   // points per line of the default 10-point font
constexpr double kNarrowestColumn = 8; // characters

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

// One group's table as a person reads it: the header row over the columns in report order, the
// frequency first; each number under its own header as a number shown with two decimals; a cut
// that is not loaded or a value that was not computed leaves the cell empty. Returns the row after
// the last one written.
int WriteGroup(Workbook& book, int sheet, int row, const ResultTable& table, std::vector<size_t>& widths) {
    widths.resize(std::max(widths.size(), table.header.size()), 0);
    size_t lines = 1;
    for (size_t c = 0; c < table.header.size(); ++c) {
        const std::string& header = table.header[c];
        const int column = static_cast<int>(c) + 1;
        book.SetCell(sheet, row, column, header);
        book.SetCellStyle(sheet, row, column, CellStyle::Header);
        size_t begin = 0, lineCount = 0;
        for (size_t end = 0; end != std::string::npos; begin = end + 1, ++lineCount) {
            end = header.find('\n', begin);
            widths[c] =
                std::max(widths[c], CharacterCount(std::string_view(header).substr(begin, end - begin)));
        }
        lines = std::max(lines, lineCount);
    }
    book.SetRowHeight(sheet, row, kLineHeight * static_cast<double>(lines) + 2.0);
    ++row;
    for (const auto& cells : table.rows) {
        for (size_t c = 0; c < cells.size() && c < table.header.size(); ++c) {
            double value = 0.0;
            if (!ReadsAsNumber(cells[c], value)) continue;
            const int column = static_cast<int>(c) + 1;
            book.SetNumber(sheet, row, column, value);
            // The frequency is a name as much as a number: it keeps its own digits.
            if (c > 0) book.SetCellStyle(sheet, row, column, CellStyle::TwoDecimals);
            widths[c] = std::max(widths[c], cells[c].size());
        }
        ++row;
    }
    return row;
}

void SetWidths(Workbook& book, int sheet, const std::vector<size_t>& widths) {
    for (size_t c = 0; c < widths.size(); ++c)
        book.SetColumnWidth(sheet, static_cast<int>(c) + 1,
                            std::max(kNarrowestColumn, static_cast<double>(widths[c]) + 2.0));
}

} // namespace

WorkbookOutcome ExportResultWorkbook(const CQuadrelDoc& doc, const ExportState& state) {
    WorkbookOutcome outcome;
    Workbook book;
    if (!book.Open(state.resultTemplate, outcome.error)) {
        Log("%s%s", kLogPrefix, outcome.error.c_str());
        return outcome;
    }
    const auto groups = GroupPatterns(doc.table, [](const PatternFile& f) {
        return f.names[kFieldPort] + " " + f.names[kFieldTilt] + " " + f.names[kFieldDirection];
    });
    if (state.options.oneSheet) {
        const int sheet = book.AddSheet("Result");
        std::vector<size_t> widths;
        int row = 1;
        for (const auto& [key, group] : groups) {
            book.SetCell(sheet, row, 1, key);
            row = WriteGroup(book, sheet, row + 1, BuildResultTable(doc, group), widths) + 1;
        }
        SetWidths(book, sheet, widths);
        book.FreezeRows(sheet, 2);
    } else {
        for (const auto& [key, group] : groups) {
            const int sheet = book.AddSheet(key);
            std::vector<size_t> widths;
            book.SetCell(sheet, 1, 1, key);
            WriteGroup(book, sheet, 2, BuildResultTable(doc, group), widths);
            SetWidths(book, sheet, widths);
            book.FreezeRows(sheet, 2);
        }
    }
    if (state.limits) AddDatasheetSheet(book, doc.table, *state.limits);
    if (!book.SetSheetVisible("Remark", false)) {
        outcome.error = "the result template has no sheet \"Remark\": " + state.resultTemplate;
        Log("%s%s", kLogPrefix, outcome.error.c_str());
        return outcome;
    }
    const NameFields& first = doc.table.begin()->second.names;
    outcome.path = state.reportFolder + "AnalysisResult_" + first[1] + "_" + first[2] + "_" + first[5] + "_" +
                   first[3] + ".xlsx";
    outcome.written = book.SaveCopyAs(outcome.path, outcome.error, state.workingFolder);
    if (!outcome.written) Log("%s%s", kLogPrefix, outcome.error.c_str());
    return outcome;
}
