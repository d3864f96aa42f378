#include "export/ExportDriver.h"

#include <filesystem>
#include <functional>
#include <vector>

#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "export/EnterpriseXml.h"
#include "export/ExcelWorkbooks.h"
#include "export/ExportTexts.h"
#include "export/PlnExport.h"
#include "export/ReportLauncher.h"

namespace {
// The article number in the file name of the English standard-report template.
constexpr const char* kEnglishTemplateArticle = "QU0000001";

// Templates live in the user's configuration folder (seeded from the shipped ones), so a user's
// own templates replace ours; a document made without one uses the shipped folder.
std::string TemplateBase(const CQuadrelDoc& doc) {
    return doc.programFolder.empty() ? doc.configFolder : doc.programFolder;
}

// A workbook export with its frame text; a workbook that could not be written says why.
template <typename Export>
bool RunWorkbookExport(Notifier& notifier, bool requested, const char* status, const char* name, Export run) {
    if (!requested) return true;
    notifier.Status(status);
    const WorkbookOutcome outcome = run();
    if (!outcome.written)
        notifier.Notify(std::string(name) + ": " + kTextWorkbookNotWritten + outcome.error,
                        kCaptionApplication);
    return outcome.written;
}

// What a run that could not write everything wrote and what not, and why; nothing for a sound run.
// Over an archive of one antenna's copies this names every file of the later copies: it is made
// in one piece of its final size, never copied.
std::string ExportSummary(const WriteLedger& ledger) {
    if (ledger.Failures().empty() && ledger.Duplicates().empty()) return {};
    const size_t notWritten = ledger.Failures().size() + ledger.Duplicates().size();
    const std::string tail = "\n" + std::string(kTextExportWritten) + std::to_string(ledger.WrittenCount()) +
                             kTextExportNotWritten + std::to_string(notWritten) + ".";
    size_t size = std::string_view(kTextExportFailed).size() + tail.size();
    for (const WriteLedger::Failure& failure : ledger.Failures())
        size += failure.path.size() + failure.reason.size() + 3;
    for (const WriteLedger::Duplicate& clash : ledger.Duplicates())
        size += clash.path.size() + clash.skippedSource.size() + std::string_view(kTextExportClash).size() +
                clash.firstSource.size() + 3;
    std::string text;
    text.reserve(size);
    text += kTextExportFailed;
    for (const WriteLedger::Failure& failure : ledger.Failures())
        text.append("\n").append(failure.Describe());
    for (const WriteLedger::Duplicate& clash : ledger.Duplicates())
        text.append("\n")
            .append(clash.path)
            .append(": ")
            .append(clash.skippedSource)
            .append(kTextExportClash)
            .append(clash.firstSource);
    text += tail;
    return text;
}

template <typename Export>
void RunFileExport(Notifier& notifier, bool requested, bool announce, const char* status, Export run) {
    if (!requested) return;
    if (announce) notifier.Status(status);
    run();
}

// A step asked for is begun only while the run is not asked to stop.
bool Wanted(const ExportState& state, bool requested) {
    return requested && !state.ledger.Stopping();
}

// The file exports in their fixed order, then the caller's own writes. `announce`: each step's
// status is shown (a batch in parts shows them with its first part only). Without `xml`, the XML
// step only writes the PLN files it reads back (when PLN itself was not asked for), so that the XML
// files can be made over every part's PLN files once the last part is written.
void RunFileExports(const CQuadrelDoc& doc, ExportState& state, const std::function<void()>& moreWrites,
                    bool announce, bool xml) {
    Notifier& notifier = doc.GetNotifier();
    const DataExportOptions& o = state.options;
    RunFileExport(notifier, Wanted(state, o.pln), announce, kStatusPln, [&] { ExportPlnFiles(doc, state); });
    RunFileExport(notifier, Wanted(state, o.msi), announce, kStatusMsi,
                  [&] { doc.WriteMsiFiles(state.dataSrcFolder, &state.ledger); });
    RunFileExport(notifier, Wanted(state, o.tmvmsi), announce, kStatusTmvMsi,
                  [&] { doc.WriteTmvMsiFiles(state.dataSrcFolder, &state.ledger); });
    RunFileExport(notifier, Wanted(state, o.xml), announce, kStatusXml, [&] {
        if (xml)
            ExportXmlFiles(doc, state);
        else if (!o.pln)
            ExportPlnFiles(doc, state);
    });
    RunFileExport(notifier, Wanted(state, o.txt), announce, kStatusTxt, [&] { ExportTxtFiles(doc, state); });
    if (moreWrites && !state.ledger.Stopping()) moreWrites();
}

// The end of a run that was not stopped: what was not written, or the success message (a run with
// a report leaves that to the report worker).
ExportRunResult EndExport(Notifier& notifier, const ExportState& state, bool complete, bool word) {
    // A file that was not written (failed or clashed) never ends in the success message: the run
    // ends in what was written and what not.
    if (const std::string summary = ExportSummary(state.ledger); !summary.empty()) {
        notifier.Notify(summary, kCaptionApplication);
        return ExportRunResult::Failed;
    }
    if (!complete) return ExportRunResult::Incomplete;
    if (word) return ExportRunResult::Succeeded;
    notifier.Notify(kTextExportSuccess, kCaptionApplication);
    return ExportRunResult::Succeeded;
}
} // namespace

std::optional<ExportDialogChoice> CheckExportDialog(const CQuadrelDoc& doc, const std::string& reportPath,
                                                    const DataExportOptions& options,
                                                    const PatternInfoConfig& patternInfo) {
    std::error_code ec;
    if (reportPath.empty() || !std::filesystem::is_directory(reportPath, ec)) {
        doc.GetNotifier().Notify(kTextExportPathInvalid, kCaptionValidation);
        return std::nullopt;
    }
    return ExportDialogChoice{WithTrailingSeparator(reportPath), options, StoreExportOptions(options),
                              patternInfo};
}

void SetTemplatePaths(const std::string& configFolder, ExportState& state) {
    const std::string folder = configFolder + "template/";
    // With neither language chosen the English template serves, so format 1 always has one.
    state.format1Template = state.options.chinese ? folder + "中文标准报告模板.docx"
                                                  : folder + "Norvan Telmark " + kEnglishTemplateArticle +
                                                        " Antenna Test Report.docx";
    state.format2Template = folder + "TestReport02.docx";
    state.rawDataTemplate = folder + "RawData.xlsx";
    state.resultTemplate = folder + "Result.xlsx";
}

bool BeginDataExport(const CQuadrelDoc& doc, ExportState& state) {
    Notifier& notifier = doc.GetNotifier();
    if (doc.table.empty()) {
        notifier.Notify(kTextNoData, kCaptionApplication);
        return false;
    }
    state.dataSrcFolder = state.workingFolder + "DataSrc/";
    state.reportFolder = state.workingFolder + "report/";
    if (doc.configFolder.empty()) {
        notifier.Notify(kTextConfigFolderEmpty, kCaptionApplication);
        return false;
    }
    if (!Contains(doc.configFolder, "Config File")) {
        notifier.Notify(kTextConfigFolderHierarchy, kCaptionApplication);
        return false;
    }
    SetTemplatePaths(TemplateBase(doc), state);
    state.ledger = WriteLedger{state.workingFolder};
    state.ledger.Follow(state.progress);
    notifier.Notify(kTextExportNotice, kCaptionApplication);
    MakeFolder(state.reportFolder);
    notifier.Status(kStatusCalculating);
    return true;
}

ExportRunResult WriteDataExport(const CQuadrelDoc& doc, ExportState& state, ReportLauncher* reports,
                                const std::function<void()>& moreWrites) {
    Notifier& notifier = doc.GetNotifier();
    RunFileExports(doc, state, moreWrites, true, true);
    if (state.ledger.Stopping()) return ExportRunResult::Stopped;
    notifier.Status(kStatusFinished);

    const DataExportOptions& o = state.options;
    bool complete = RunWorkbookExport(notifier, Wanted(state, o.excelData), kStatusExcelData, kNameExcelData,
                                      [&] { return ExportRawDataWorkbook(doc, state); });
    complete = RunWorkbookExport(notifier, Wanted(state, o.excelReport), kStatusExcelResult, kNameExcelReport,
                                 [&] { return ExportResultWorkbook(doc, state); }) &&
               complete;
    const bool word = Wanted(state, o.wordReport1) || Wanted(state, o.wordReport2);
    if (state.ledger.Stopping()) return ExportRunResult::Stopped;
    if (word && !reports) {
        notifier.Notify(std::string(kTextNotYetAvailable) + (o.wordReport1 ? kNameWord1 : kNameWord2) + ".",
                        kCaptionApplication);
        complete = false;
    } else if (word) {
        notifier.Status(kStatusWordReport);
        complete = reports->Start(doc, state, o.wordReport1, o.wordReport2, notifier) && complete;
    }
    return EndExport(notifier, state, complete, word);
}

FolderExportRun::FolderExportRun(ExportState& state, std::function<void(const CQuadrelDoc&)> moreWrites)
    : m_state(state), m_moreWrites(std::move(moreWrites)) {}

bool FolderExportRun::Begin(const CQuadrelDoc& folder) {
    return m_begun || (m_begun = BeginDataExport(folder, m_state));
}

bool FolderExportRun::Add(const CQuadrelDoc& folder) {
    // Each step's status is shown with the first folder only, as over the one batch.
    const bool first = !m_added;
    m_added = true;
    const auto more = [&] {
        if (m_moreWrites) m_moreWrites(folder);
    };
    RunFileExports(folder, m_state, more, first, false);
    return !m_state.ledger.Stopping();
}

ExportRunResult FolderExportRun::Finish(const CQuadrelDoc& start) {
    if (!m_begun && !BeginDataExport(start, m_state)) return ExportRunResult::Refused;
    // The XML files group the PLN files of every folder, read back from the PLN folder; `start`
    // holds no cut, so no PLN file is written twice.
    if (Wanted(m_state, m_state.options.xml)) ExportXmlFiles(start, m_state);
    if (m_state.ledger.Stopping()) return ExportRunResult::Stopped;
    Notifier& notifier = start.GetNotifier();
    notifier.Status(kStatusFinished);
    return EndExport(notifier, m_state, true, false);
}
