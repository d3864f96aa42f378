#include "commands/DataExport.h"

#include "commands/Analysis.h"
#include "commands/ConfigWrites.h"
#include "document/QuadrelDoc.h"

bool AcceptExportDialog(CQuadrelDoc& doc, ExportState& state, const std::string& reportPath,
                        const DataExportOptions& options, const PatternInfoConfig& patternInfo) {
    std::optional<ExportDialogChoice> choice = CheckExportDialog(doc, reportPath, options, patternInfo);
    if (!choice) return false;
    state.workingFolder = std::move(choice->workingFolder);
    state.options = choice->options;
    ApplyConfigWrites(doc, choice->optionWrites);
    doc.patternInfo = std::move(choice->patternInfo);
    return true;
}

bool PrepareDataExport(CQuadrelDoc& doc, ExportState& state) {
    if (!BeginDataExport(doc, state)) return false;
    // The export layer only reads: the results every writer takes are computed here, once.
    AnalyseAll(doc);
    return true;
}

ExportRunResult RunDataExport(CQuadrelDoc& doc, ExportState& state, ReportLauncher* reports,
                              const std::function<void()>& moreWrites) {
    if (!PrepareDataExport(doc, state)) return ExportRunResult::Refused;
    return WriteDataExport(doc, state, reports, moreWrites);
}

bool ExportTestFolder(FolderExportRun& run, CQuadrelDoc& folder) {
    if (!run.Begin(folder)) return false;
    // As over the one batch: the folder's results are computed before its files are written.
    AnalyseAll(folder);
    return run.Add(folder);
}
