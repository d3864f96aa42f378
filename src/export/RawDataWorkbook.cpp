#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "app/Log.h"
#include "app/NumericOrder.h"
#include "app/TextUtil.h"
#include "app/Version.h"
#include "document/QuadrelDoc.h"
#include "export/ExcelWorkbooks.h"
#include "export/ExportState.h"
#include "export/Workbook.h"

WorkbookOutcome ExportRawDataWorkbook(const CQuadrelDoc& doc, const ExportState& state) {
    WorkbookOutcome outcome;
    Workbook book;
    if (!book.Open(state.rawDataTemplate, outcome.error)) {
        Log("%s%s", kLogPrefix, outcome.error.c_str());
        return outcome;
    }
    // The patterns of each sheet, one column each, by frequency in numeric order; sheets in
    // numeric order of their keys (tilt 5 before tilt 10).
    std::map<std::string, std::vector<const PatternFile*>, NumericTextOrder> sheets;
    std::string fileName;
    for (const auto& [key, file] : doc.table) {
        const NameFields& n = file.names;
        const std::string sheetKey = n[kFieldPort] + " " + n[kFieldComponent] + " " + n[kFieldPlane] + " " +
                                     n[kFieldTilt] + n[kFieldDirection];
        // The last pattern written names the file.
        fileName = "Norvan_" + n[kFieldModel] + "_RawData_" + n[3] + ".xlsx";
        sheets[sheetKey].push_back(&file);
    }
    for (auto& [sheetKey, columns] : sheets) {
        std::stable_sort(columns.begin(), columns.end(), [](const PatternFile* a, const PatternFile* b) {
            return NumericTextLess(a->names[kFieldFrequency], b->names[kFieldFrequency]);
        });
        const int sheet = book.AddSheet(sheetKey);
        // Cuts are stored in the order they were measured (an MSI cut runs 0…180, then -179.5…-0.5):
        // each level goes into the row of its own angle, the rows in ascending angle over every angle
        // the sheet's cuts hold.
        std::vector<float> angles;
        for (const PatternFile* file : columns)
            for (const PatternPoint& point : file->samples)
                if (std::isfinite(point.fAngle)) angles.push_back(point.fAngle);
        std::sort(angles.begin(), angles.end());
        angles.erase(std::unique(angles.begin(), angles.end()), angles.end());
        for (size_t r = 0; r < angles.size(); ++r)
            book.SetNumber(sheet, static_cast<int>(r) + 2, 1, ShortestDecimal(angles[r]));
        for (size_t c = 0; c < columns.size(); ++c) {
            const PatternFile& file = *columns[c];
            const int column = static_cast<int>(c) + 2;
            if (!file.samples.empty()) book.SetCell(sheet, 1, column, file.names[kFieldFrequency]);
            for (const PatternPoint& point : file.samples) {
                // A level the file did not give stays an empty cell.
                if (!std::isfinite(point.fAngle) || point.fMag == NOT_SET) continue;
                const auto row =
                    std::lower_bound(angles.begin(), angles.end(), point.fAngle) - angles.begin();
                book.SetNumber(sheet, static_cast<int>(row) + 2, column, ShortestDecimal(point.fMag));
            }
        }
    }
    book.SelectSheet(0);
    outcome.path = state.reportFolder + fileName;
    outcome.written = book.SaveCopyAs(outcome.path, outcome.error, state.workingFolder);
    if (!outcome.written) Log("%s%s", kLogPrefix, outcome.error.c_str());
    return outcome;
}
