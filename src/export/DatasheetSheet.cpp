#include "export/DatasheetSheet.h"

#include "app/TextUtil.h"
#include "conformance/Conformance.h"
#include "export/Workbook.h"

namespace {

// A stored float as the number its shortest text reads as (28.81, not 28.809999465942383); a value
// not computed stays an empty cell.
void SetValue(Workbook& book, int sheet, int row, int column, float value) {
    if (value == NOT_SET) return;
    double number = 0;
    if (ReadsAsNumber(FormatShortestFloat(value), number)) book.SetNumber(sheet, row, column, number);
}

} // namespace

void AddDatasheetSheet(Workbook& book, const PatternTable& table, const DatasheetLimits& limits) {
    const ConformanceResult result = CheckConformance(table, limits);
    const int sheet = book.AddSheet("Datasheet");
    const int fills[] = {book.AddFillStyle(VerdictFill(Verdict::Pass)),
                         book.AddFillStyle(VerdictFill(Verdict::Fail)),
                         book.AddFillStyle(VerdictFill(Verdict::NoData))};
    auto setVerdict = [&](int row, int column, Verdict verdict) {
        book.SetCell(sheet, row, column, VerdictLabel(verdict));
        book.SetCellFormat(sheet, row, column, fills[static_cast<int>(verdict)]);
    };
    book.SetCell(sheet, 1, 1, "Limits");
    book.SetCell(sheet, 1, 2, limits.path);
    book.SetCell(sheet, 2, 1, "Verdict");
    setVerdict(2, 2, result.verdict);
    if (result.verdict != Verdict::Pass) book.SetCell(sheet, 2, 3, VerdictLine(result));
    int row = 4;
    const char* headers[] = {"band", "port", "pol", "tilt",  "indicator", "n",      "min",
                             "mean", "max",  "std", "worst", "bound",     "margin", "verdict"};
    for (int c = 0; c < 14; ++c) book.SetCell(sheet, row, c + 1, headers[c]);
    for (const ConformanceGroup& g : result.groups) {
        ++row;
        const std::string texts[] = {limits.bands[g.band].name, g.port, g.pol, g.tilt, g.indicator};
        for (int c = 0; c < 5; ++c) book.SetCell(sheet, row, c + 1, texts[c]);
        book.SetNumber(sheet, row, 6, g.n);
        const float numbers[] = {g.min, g.mean, g.max, g.std, g.worst, g.bound, g.margin};
        for (int c = 0; c < 7; ++c) SetValue(book, sheet, row, c + 7, numbers[c]);
        setVerdict(row, 14, g.verdict);
    }
}
