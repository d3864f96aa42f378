#include <map>

#include "app/Log.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"
#include "export/ExcelWorkbooks.h"
#include "export/ExportState.h"
#include "export/Workbook.h"

WorkbookOutcome ExportRawDataWorkbook(const CQuadrelDoc& doc, const ExportState& state) {
    WorkbookOutcome outcome;
    Workbook book;
    if (!book.Open(state.rawDataTemplate, outcome.error)) {
        Log("Quadrel Unit log - %s", outcome.error.c_str());
        return outcome;
    }
    std::map<std::string, std::pair<int, int>> sheets; // key -> (sheet, last column)
    std::string fileName;
    for (const auto& [key, file] : doc.table) {
        const NameFields& n = file.names;
        const std::string sheetKey = n[kFieldPort] + " " + n[kFieldComponent] + " " + n[kFieldPlane] + " " +
                                     n[kFieldTilt] + n[kFieldDirection];
        // The last pattern written names the file.
        fileName = "Norvan_" + n[kFieldModel] + "_RawData_" + n[3] + ".xlsx";
        auto found = sheets.find(sheetKey);
        if (found == sheets.end()) {
            const int sheet = book.AddSheet(sheetKey);
            const double step = file.samples.size() < 541 ? 1.0 : 0.5;
            int row = 2;
            for (double angle = -180.0; angle < 180.0; angle += step)
                book.SetCell(sheet, row++, 1, FormatFixed(angle, 6));
            found = sheets.emplace(sheetKey, std::make_pair(sheet, 2)).first;
        } else {
            ++found->second.second;
        }
        const auto [sheet, column] = found->second;
        if (file.samples.empty()) continue;
        book.SetCell(sheet, 1, column, n[kFieldFrequency]);
        int row = 2;
        for (const PatternPoint& point : file.samples)
            book.SetCell(sheet, row++, column, FormatFixed(point.fMag, 6));
    }
    book.SelectSheet(0);
    outcome.path = state.reportFolder + fileName;
    outcome.written = book.SaveCopyAs(outcome.path, outcome.error);
    if (!outcome.written) Log("Quadrel Unit log - %s", outcome.error.c_str());
    return outcome;
}
