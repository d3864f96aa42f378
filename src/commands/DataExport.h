#pragma once
#include <functional>
#include <string>

#include "export/ExportDriver.h"

class CQuadrelDoc;
class ReportLauncher;

// The export commands over a document: what the export layer computes from it, applied here.

// The "Export Data" dialog's OK. The report path must name an existing folder; otherwise the
// message is shown, nothing changes and false is returned (the dialog stays open). Then the working
// folder is stored (with its trailing separator), every option persisted, and the pattern
// information configuration copied into the document for the writers.
bool AcceptExportDialog(CQuadrelDoc& doc, ExportState& state, const std::string& reportPath,
                        const DataExportOptions& options, const PatternInfoConfig& patternInfo);

// The checks and the notice, then the analysis over the whole table, which the writers read.
// False (after the message) when the run may not begin; the table is then left as it was.
bool PrepareDataExport(CQuadrelDoc& doc, ExportState& state);

// The whole export over `doc` (see BeginDataExport and WriteDataExport).
ExportRunResult RunDataExport(CQuadrelDoc& doc, ExportState& state, ReportLauncher* reports = nullptr,
                              const std::function<void()>& moreWrites = {});

// One test folder of a batch exported a folder at a time: begun, analysed, written. False when no
// further folder is wanted.
bool ExportTestFolder(FolderExportRun& run, CQuadrelDoc& folder);
