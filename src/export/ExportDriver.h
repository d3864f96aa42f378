#pragma once
#include <functional>
#include <optional>
#include <string>

#include "document/QuadrelDoc.h"
#include "export/ExportState.h"

class ReportLauncher;

// What the "Export Data" dialog's OK stores once its report path is accepted: the working folder
// (with its trailing separator), the options and their persisted boxes, and the pattern
// information configuration the writers read from the document.
struct ExportDialogChoice {
    std::string workingFolder;
    DataExportOptions options;
    ConfigWrites optionWrites;
    PatternInfoConfig patternInfo;
};

// The dialog's check: the report path must name an existing folder; otherwise the message is shown
// and nothing is returned (the dialog stays open).
std::optional<ExportDialogChoice> CheckExportDialog(const CQuadrelDoc& doc, const std::string& reportPath,
                                                    const DataExportOptions& options,
                                                    const PatternInfoConfig& patternInfo);

enum class ExportRunResult {
    Refused,    // a check failed before anything was written (its message was shown)
    Succeeded,  // every requested export ran ("Exporting sucess！" or the report worker's success was shown)
    Failed,     // a file was not written: it failed or clashed (the summary names it; no success message)
    Incomplete, // some requested workbook or report was not written or is not available (its reason shown)
    Stopped,    // asked to stop: the files written before are complete, nothing further was begun
};

// The start of the export command after the dialog's OK: the checks, the template paths, the
// run's ledger and the notice. False (after the message) when the run may not begin.
bool BeginDataExport(const CQuadrelDoc& doc, ExportState& state);

// The rest of the run, over a document whose whole table has been analysed since BeginDataExport:
// the file exports in their fixed order with their status texts, the workbooks, and finally the
// word reports through `reports` (without one, the reports are not available and say so).
// `moreWrites` are the caller's own writes of this run (into `state.ledger`), done after the file
// exports, so that the run's final text follows every write. A file not written (failed, or two
// inputs naming it) ends the run in a summary, never in success.
ExportRunResult WriteDataExport(const CQuadrelDoc& doc, ExportState& state, ReportLauncher* reports = nullptr,
                                const std::function<void()>& moreWrites = {});

// The planning files (PLN, MSI, TMVMSI, XML, TXT) and the caller's own writes over a batch that
// comes one test folder at a time, so that only one folder's cuts are held: the files, statuses and
// final text of the one-batch run over the whole batch. The workbooks and reports span the whole batch
// and are not written here. Messages about a folder's files come as that folder is written.
class FolderExportRun {
  public:
    // `moreWrites` runs after each folder's file exports, with that folder's document.
    FolderExportRun(ExportState& state, std::function<void(const CQuadrelDoc&)> moreWrites);
    // Before a folder is analysed: the first one's checks and notice begin the run. False when the
    // run was refused.
    bool Begin(const CQuadrelDoc& folder);
    // The next folder, in table order, begun and analysed. False when the run is to stop: no
    // further folder is wanted.
    bool Add(const CQuadrelDoc& folder);
    // After the last folder: the XML files over every folder's PLN files, then what was not written
    // or the success message. `start`: the document the folders were copied from, holding no cut.
    ExportRunResult Finish(const CQuadrelDoc& start);

  private:
    ExportState& m_state;
    std::function<void(const CQuadrelDoc&)> m_moreWrites;
    bool m_begun = false;
    bool m_added = false;
};

// The report and workbook templates: `configFolder` + "template/".
void SetTemplatePaths(const std::string& configFolder, ExportState& state);
