#include <map>
#include <set>

#include "app/Log.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"
#include "export/DatasheetSheet.h"
#include "export/ExcelWorkbooks.h"
#include "export/ExportState.h"
#include "export/Workbook.h"
#include "results/ResultTable.h"

namespace {

// One group's numbers: per frequency row the values by header text (a map keeps header-text order).
struct GroupNumbers {
    std::string key;
    std::set<std::string> headers;
    std::vector<std::map<std::string, double>> rows;
};

GroupNumbers Numbers(const std::string& key, const ResultTable& table) {
    GroupNumbers numbers{key, {}, {}};
    for (const auto& row : table.rows) {
        std::map<std::string, double> values;
        for (size_t c = 0; c < row.size() && c < table.header.size(); ++c) {
            double value = 0.0;
            if (row[c] == "-" || !ReadsAsNumber(row[c], value)) continue;
            values[table.header[c]] = value;
            numbers.headers.insert(table.header[c]);
        }
        numbers.rows.push_back(std::move(values));
    }
    return numbers;
}

// The header row and the number rows from `row`; every number stands under its own header, so a
// frequency with a missing cut leaves a gap instead of shifting its values left. Returns the row
// after the last one written.
int WriteGroup(Workbook& book, int sheet, int row, const GroupNumbers& group) {
    int column = 1;
    std::map<std::string, int> columnOf;
    for (const std::string& header : group.headers) {
        columnOf[header] = column;
        book.SetCell(sheet, row, column++, header);
    }
    ++row;
    for (const auto& values : group.rows) {
        for (const auto& [header, value] : values)
            book.SetCell(sheet, row, columnOf[header], FormatFixed(value, 2));
        ++row;
    }
    return row;
}

} // namespace

WorkbookOutcome ExportResultWorkbook(const CQuadrelDoc& doc, const ExportState& state) {
    WorkbookOutcome outcome;
    Workbook book;
    if (!book.Open(state.resultTemplate, outcome.error)) {
        Log("Quadrel Unit log - %s", outcome.error.c_str());
        return outcome;
    }
    const auto groups = GroupPatterns(doc.table, [](const PatternFile& f) {
        return f.names[kFieldPort] + " " + f.names[kFieldTilt] + " " + f.names[kFieldDirection];
    });
    std::vector<GroupNumbers> numbers;
    for (const auto& [key, group] : groups) numbers.push_back(Numbers(key, BuildResultTable(doc, group)));

    if (state.options.oneSheet) {
        const int sheet = book.AddSheet("Result");
        int row = 1;
        for (const GroupNumbers& group : numbers) {
            book.SetCell(sheet, row, 1, group.key);
            row = WriteGroup(book, sheet, row + 1, group) + 1;
        }
    } else {
        for (const GroupNumbers& group : numbers) {
            const int sheet = book.AddSheet(group.key);
            book.SetCell(sheet, 1, 1, group.key);
            WriteGroup(book, sheet, 2, group);
        }
    }
    if (state.limits) AddDatasheetSheet(book, doc.table, *state.limits);
    if (!book.SetSheetVisible("Remark", false)) {
        outcome.error = "the result template has no sheet \"Remark\": " + state.resultTemplate;
        Log("Quadrel Unit log - %s", outcome.error.c_str());
        return outcome;
    }
    const NameFields& first = doc.table.begin()->second.names;
    outcome.path = state.reportFolder + "AnalysisResult_" + first[1] + "_" + first[2] + "_" + first[5] + "_" +
                   first[3] + ".xlsx";
    outcome.written = book.SaveCopyAs(outcome.path, outcome.error);
    if (!outcome.written) Log("Quadrel Unit log - %s", outcome.error.c_str());
    return outcome;
}
