#pragma once
#include <functional>
#include <string>

#include "export/ExportState.h"

class CQuadrelDoc;
class ReportLauncher;
struct PatternInfoConfig;

// The "Export Data" dialog's OK. The report path must name an existing folder; otherwise the
// message is shown, nothing changes and false is returned (the dialog stays open). Then the working
// folder is stored (with its trailing separator), every option persisted, and the pattern
// information configuration copied into the document for the writers.
bool AcceptExportDialog(CQuadrelDoc& doc, ExportState& state, const std::string& reportPath,
                        const DataExportOptions& options, const PatternInfoConfig& patternInfo);

enum class ExportRunResult {
    Refused,    // a check failed before anything was written (its message was shown)
    Succeeded,  // every requested export ran ("Exporting sucess！" or the report worker's success was shown)
    Failed,     // a file was not written: it failed or clashed (the summary names it; no success message)
    Incomplete, // some requested workbook or report was not written or is not available (its reason shown)
    Stopped,    // asked to stop: the files written before are complete, nothing further was begun
};

// The export command after the dialog's OK: the checks, the template paths, the notice, the
// analysis over the whole table, the file exports in their fixed order with their status texts, the
// workbooks, and finally the word reports through `reports` (without one, the reports are not
// available and say so). `moreWrites` are the caller's own writes of this run (into
// `state.ledger`), done after the file exports, so that the run's final text follows every write.
// A file not written (failed, or two inputs naming it) ends the run in a summary, never in success.
ExportRunResult RunDataExport(CQuadrelDoc& doc, ExportState& state, ReportLauncher* reports = nullptr,
                              const std::function<void()>& moreWrites = {});

// The planning files (PLN, MSI, TMVMSI, XML, TXT) and the caller's own writes over a batch that
// comes one test folder at a time, so that only one folder's cuts are held: the files, statuses and
// final text of RunDataExport over the whole batch. The workbooks and reports span the whole batch
// and are not written here. Messages about a folder's files come as that folder is written.
class FolderExportRun {
  public:
    // `moreWrites` runs after each folder's file exports, with that folder's document.
    FolderExportRun(ExportState& state, std::function<void(CQuadrelDoc&)> moreWrites);
    // The next folder, in table order (the first one's checks and notice begin the run). False when
    // the run was refused or is to stop: no further folder is wanted.
    bool Add(CQuadrelDoc& folder);
    // After the last folder: the XML files over every folder's PLN files, then what was not written
    // or the success message. `start`: the document the folders were copied from, holding no cut.
    ExportRunResult Finish(CQuadrelDoc& start);

  private:
    ExportState& m_state;
    std::function<void(CQuadrelDoc&)> m_moreWrites;
    bool m_begun = false;
};

// The report and workbook templates: `configFolder` + "template/".
void SetTemplatePaths(const std::string& configFolder, ExportState& state);
