#include "export/ExportDriver.h"

#include <filesystem>
#include <vector>

#include "analysis/AnalysisDriver.h"
#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "export/EnterpriseXml.h"
#include "export/ExportTexts.h"
#include "export/PlnExport.h"

namespace {
// The article number in the file name of the English standard-report template.
constexpr const char* kEnglishTemplateArticle = "QU0000001";

// The parts of the export that this version cannot produce yet, in their order of work.
std::vector<std::string> UnavailableParts(const DataExportOptions& options) {
    std::vector<std::string> parts;
    if (options.excelData) parts.push_back(kNameExcelData);
    if (options.excelReport) parts.push_back(kNameExcelReport);
    if (options.wordReport1) parts.push_back(kNameWord1);
    if (options.wordReport2) parts.push_back(kNameWord2);
    return parts;
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

ExportRunResult RunDataExport(CQuadrelDoc& doc, ExportState& state) {
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
    SetTemplatePaths(doc.configFolder, state);
    state.ledger = WriteLedger{};
    notifier.Notify(kTextExportNotice, kCaptionApplication);
    MakeFolder(state.reportFolder);

    notifier.Status(kStatusCalculating);
    AnalyseAll(doc);

    const DataExportOptions& o = state.options;
    RunFileExport(notifier, o.pln, kStatusPln, [&] { ExportPlnFiles(doc, state); });
    RunFileExport(notifier, o.msi, kStatusMsi,
                  [&] { doc.WriteMsiFiles(state.dataSrcFolder, &state.ledger); });
    RunFileExport(notifier, o.tmvmsi, kStatusTmvMsi,
                  [&] { doc.WriteTmvMsiFiles(state.dataSrcFolder, &state.ledger); });
    RunFileExport(notifier, o.xml, kStatusXml, [&] { ExportXmlFiles(doc, state); });
    RunFileExport(notifier, o.txt, kStatusTxt, [&] { ExportTxtFiles(doc, state); });
    notifier.Status(kStatusFinished);

    // A failed write never ends in the success message; the failed files are named.
    if (!state.ledger.Failures().empty()) {
        std::string text = kTextExportFailed;
        for (const WriteLedger::Failure& failure : state.ledger.Failures()) text += "\n" + failure.path;
        notifier.Notify(text, kCaptionApplication);
        return ExportRunResult::Failed;
    }
    const std::vector<std::string> unavailable = UnavailableParts(o);
    if (!unavailable.empty()) {
        std::string text = kTextNotYetAvailable;
        for (size_t i = 0; i < unavailable.size(); ++i) text += (i ? ", " : "") + unavailable[i];
        notifier.Notify(text + ".", kCaptionApplication);
        return ExportRunResult::Incomplete;
    }
    notifier.Notify(kTextExportSuccess, kCaptionApplication);
    return ExportRunResult::Succeeded;
}
