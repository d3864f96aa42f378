#include "export/ExportDriver.h"

#include <filesystem>
#include <functional>
#include <vector>

#include "analysis/AnalysisDriver.h"
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
std::string ExportSummary(const WriteLedger& ledger) {
    if (ledger.Failures().empty() && ledger.Duplicates().empty()) return {};
    std::string text = kTextExportFailed;
    for (const WriteLedger::Failure& failure : ledger.Failures())
        text += "\n" + failure.path + ": " + failure.reason;
    for (const WriteLedger::Duplicate& clash : ledger.Duplicates())
        text += "\n" + clash.path + ": " + clash.skippedSource + kTextExportClash + clash.firstSource;
    const size_t notWritten = ledger.Failures().size() + ledger.Duplicates().size();
    return text + "\n" + kTextExportWritten + std::to_string(ledger.WrittenCount()) + kTextExportNotWritten +
           std::to_string(notWritten) + ".";
}

template <typename Export>
void RunFileExport(Notifier& notifier, bool requested, const char* status, Export run) {
    if (!requested) return;
    notifier.Status(status);
    run();
}
} // namespace

bool AcceptExportDialog(CQuadrelDoc& doc, ExportState& state, const std::string& reportPath,
                        const DataExportOptions& options, const PatternInfoConfig& patternInfo) {
    std::error_code ec;
    if (reportPath.empty() || !std::filesystem::is_directory(reportPath, ec)) {
        doc.GetNotifier().Notify(kTextExportPathInvalid, kCaptionValidation);
        return false;
    }
    state.workingFolder = WithTrailingSeparator(reportPath);
    state.options = options;
    StoreExportOptions(doc, options);
    doc.patternInfo = patternInfo;
    return true;
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

ExportRunResult RunDataExport(CQuadrelDoc& doc, ExportState& state, ReportLauncher* reports,
                              const std::function<void()>& moreWrites) {
    Notifier& notifier = doc.GetNotifier();
    if (doc.table.empty()) {
        notifier.Notify(kTextNoData, kCaptionApplication);
        return ExportRunResult::Refused;
    }
    state.dataSrcFolder = state.workingFolder + "DataSrc/";
    state.reportFolder = state.workingFolder + "report/";
    if (doc.configFolder.empty()) {
        notifier.Notify(kTextConfigFolderEmpty, kCaptionApplication);
        return ExportRunResult::Refused;
    }
    if (!Contains(doc.configFolder, "Config File")) {
        notifier.Notify(kTextConfigFolderHierarchy, kCaptionApplication);
        return ExportRunResult::Refused;
    }
    SetTemplatePaths(TemplateBase(doc), state);
    state.ledger = WriteLedger{state.workingFolder};
    state.ledger.Follow(state.progress);
    notifier.Notify(kTextExportNotice, kCaptionApplication);
    MakeFolder(state.reportFolder);

    notifier.Status(kStatusCalculating);
    AnalyseAll(doc);

    // A step asked for is begun only while the run is not asked to stop.
    const DataExportOptions& o = state.options;
    const auto wanted = [&state](bool requested) { return requested && !state.ledger.Stopping(); };
    RunFileExport(notifier, wanted(o.pln), kStatusPln, [&] { ExportPlnFiles(doc, state); });
    RunFileExport(notifier, wanted(o.msi), kStatusMsi,
                  [&] { doc.WriteMsiFiles(state.dataSrcFolder, &state.ledger); });
    RunFileExport(notifier, wanted(o.tmvmsi), kStatusTmvMsi,
                  [&] { doc.WriteTmvMsiFiles(state.dataSrcFolder, &state.ledger); });
    RunFileExport(notifier, wanted(o.xml), kStatusXml, [&] { ExportXmlFiles(doc, state); });
    RunFileExport(notifier, wanted(o.txt), kStatusTxt, [&] { ExportTxtFiles(doc, state); });
    if (moreWrites && !state.ledger.Stopping()) moreWrites();
    if (state.ledger.Stopping()) return ExportRunResult::Stopped;
    notifier.Status(kStatusFinished);

    bool complete = RunWorkbookExport(notifier, wanted(o.excelData), kStatusExcelData, kNameExcelData,
                                      [&] { return ExportRawDataWorkbook(doc, state); });
    complete = RunWorkbookExport(notifier, wanted(o.excelReport), kStatusExcelResult, kNameExcelReport,
                                 [&] { return ExportResultWorkbook(doc, state); }) &&
               complete;
    const bool word = wanted(o.wordReport1) || wanted(o.wordReport2);
    if (state.ledger.Stopping()) return ExportRunResult::Stopped;
    if (word && !reports) {
        notifier.Notify(std::string(kTextNotYetAvailable) + (o.wordReport1 ? kNameWord1 : kNameWord2) + ".",
                        kCaptionApplication);
        complete = false;
    } else if (word) {
        notifier.Status(kStatusWordReport);
        complete = reports->Start(doc, state, o.wordReport1, o.wordReport2, notifier) && complete;
    }

    // A file that was not written (failed or clashed) never ends in the success message: the run
    // ends in what was written and what not.
    if (const std::string summary = ExportSummary(state.ledger); !summary.empty()) {
        notifier.Notify(summary, kCaptionApplication);
        return ExportRunResult::Failed;
    }
    if (!complete) return ExportRunResult::Incomplete;
    // With a report, the worker announces the end.
    if (word) return ExportRunResult::Succeeded;
    notifier.Notify(kTextExportSuccess, kCaptionApplication);
    return ExportRunResult::Succeeded;
}
