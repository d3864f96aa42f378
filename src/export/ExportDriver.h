#pragma once
#include <string>

#include "export/ExportState.h"

class CQuadrelDoc;
struct PatternInfoConfig;

// The "Export Data" dialog's OK. The report path must name an existing folder; otherwise the
// message is shown, nothing changes and false is returned (the dialog stays open). Then the working
// folder is stored (with its trailing separator), every option persisted, and the pattern
// information configuration copied into the document for the writers.
bool AcceptExportDialog(CQuadrelDoc& doc, ExportState& state, const std::string& reportPath,
                        const DataExportOptions& options, const PatternInfoConfig& patternInfo);

enum class ExportRunResult {
    Refused,    // a check failed before anything was written (its message was shown)
    Succeeded,  // every requested export ran ("Exporting sucess！" was shown)
    Failed,     // a file could not be written (named in one message; no success message)
    Incomplete, // the file exports ran, but some requested parts are not available yet (one message)
};

// The export command after the dialog's OK: the checks, the template paths, the notice, the
// analysis over the whole table, then the file exports in their fixed order with their status texts.
ExportRunResult RunDataExport(CQuadrelDoc& doc, ExportState& state);

// The report templates of the configuration folder.
void SetTemplatePaths(const std::string& configFolder, ExportState& state);
