#pragma once
#include <string>

class CQuadrelDoc;
struct ExportState;

// What a workbook export did: the file written, or why nothing was written.
struct WorkbookOutcome {
    bool written = false;
    std::string path;
    std::string error;
};

// The raw-data workbook: one sheet per port, component, plane, tilt and direction, the angle column
// and one level column per frequency. Saved into the report folder as
// "Norvan_<model>_RawData_<token 3>.xlsx"; the template stays unchanged.
WorkbookOutcome ExportRawDataWorkbook(const CQuadrelDoc& doc, const ExportState& state);

// The analysis-result workbook: the selected indicators per port and tilt group, frequency by
// frequency, one sheet per group or all on the sheet "Result" (OneSheet), the template's "Remark"
// sheet hidden. Saved as "AnalysisResult_<1>_<2>_<5>_<3>.xlsx" after the first pattern's name fields.
WorkbookOutcome ExportResultWorkbook(const CQuadrelDoc& doc, const ExportState& state);
