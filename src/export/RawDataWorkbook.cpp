#include <algorithm>
#include <map>
#include <vector>

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
    // The patterns of each sheet in table order, one column each; sheets in order of their first
    // pattern, whose sample count chooses the angle step.
    struct SheetPatterns {
        int sheet = 0;
        double step = 1.0;
        std::vector<const PatternFile*> columns;
    };
    std::vector<SheetPatterns> sheets;
    std::map<std::string, size_t> sheetOfKey;
    std::string fileName;
    for (const auto& [key, file] : doc.table) {
        const NameFields& n = file.names;
        const std::string sheetKey = n[kFieldPort] + " " + n[kFieldComponent] + " " + n[kFieldPlane] + " " +
                                     n[kFieldTilt] + n[kFieldDirection];
        // The last pattern written names the file.
        fileName = "Norvan_" + n[kFieldModel] + "_RawData_" + n[3] + ".xlsx";
        auto [found, added] = sheetOfKey.emplace(sheetKey, sheets.size());
        if (added) sheets.push_back({book.AddSheet(sheetKey), file.samples.size() < 541 ? 1.0 : 0.5, {}});
        sheets[found->second].columns.push_back(&file);
    }
    // Row by row, so each row's cells are appended in column order. A level is stored as the number
    // its "%f" text reads as.
    for (const SheetPatterns& s : sheets) {
        std::vector<double> angles;
        for (double angle = -180.0; angle < 180.0; angle += s.step) angles.push_back(angle);
        size_t rows = angles.size();
        for (size_t c = 0; c < s.columns.size(); ++c) {
            const PatternFile& file = *s.columns[c];
            rows = std::max(rows, file.samples.size());
            if (!file.samples.empty())
                book.SetCell(s.sheet, 1, static_cast<int>(c) + 2, file.names[kFieldFrequency]);
        }
        for (size_t r = 0; r < rows; ++r) {
            const int row = static_cast<int>(r) + 2;
            if (r < angles.size()) book.SetCell(s.sheet, row, 1, FormatFixed(angles[r], 6));
            for (size_t c = 0; c < s.columns.size(); ++c)
                if (r < s.columns[c]->samples.size())
                    book.SetNumber(s.sheet, row, static_cast<int>(c) + 2,
                                   FixedValue(s.columns[c]->samples[r].fMag, 6));
        }
    }
    book.SelectSheet(0);
    outcome.path = state.reportFolder + fileName;
    outcome.written = book.SaveCopyAs(outcome.path, outcome.error, state.workingFolder);
    if (!outcome.written) Log("Quadrel Unit log - %s", outcome.error.c_str());
    return outcome;
}
