#include <filesystem>
#include <iostream>

#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "cli/CliSupport.h"
#include "cli/TestFolderRuns.h"
#include "commands/DataExport.h"
#include "export/ExportDriver.h"
#include "export/PatternInfoRows.h"
#include "export/ReportLauncher.h"
#include "export/SaveAs.h"

#ifdef QUADREL_HAVE_REPORTS
#include "render/OffscreenApp.h"
#include "reports/ReportWorker.h"
#include <QGuiApplication>
#endif

namespace {
struct ExportArgs {
    std::string out;
    DataExportOptions options;
    bool exact = false;
    std::string lang;
    std::string antennaType = "Dual-port";
    std::string gainUnit = "dBi";
    std::string tiltMethod = "None";
    std::vector<std::string> ports; // NAME=EXT
    std::vector<std::string> paths;
    std::string limits; // datasheet limits for the result workbook and report format 1
    bool oneBatch = false;
};

std::vector<std::pair<std::string, std::string>> PortRows(const std::vector<std::string>& ports) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const std::string& port : ports) {
        const size_t eq = port.find('=');
        if (eq == std::string::npos)
            rows.emplace_back(port, "");
        else
            rows.emplace_back(port.substr(0, eq), port.substr(eq + 1));
    }
    return rows;
}

void PrintFolders(const ExportArgs& args, const ExportState& state) {
    const DataExportOptions& o = args.options;
    auto line = [](const char* what, const std::string& folder) {
        std::error_code ec;
        size_t count = 0;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            ++count;
        std::cout << what << " " << PrintableText(folder) << " (" << count << " files)\n";
    };
    if (o.pln || o.xml) line("PLN", state.workingFolder + "PLN");
    if (o.msi) line("MSI", state.dataSrcFolder + "MSI");
    if (o.tmvmsi) line("TMVMSI", state.dataSrcFolder + "TMVMSI");
    if (o.xml) line("XML", state.workingFolder + "XML");
    if (o.txt) line("TXT", state.workingFolder + "TXT");
    if (o.excelData || o.excelReport || o.wordReport1 || o.wordReport2) line("report", state.reportFolder);
}

// The workbooks and reports span the whole batch; the planning files are each made from one cut
// and its partner, which lie in the cut's own test folder.
bool SpansTheBatch(const DataExportOptions& o) {
    return o.excelData || o.excelReport || o.wordReport1 || o.wordReport2;
}

void PrintRefusal(size_t loaded, bool written) {
    std::cout << "loaded " << loaded << " files; a file was refused, "
              << (written ? "the test folders before it were exported\n" : "nothing was exported\n");
}

// What the run wrote, once it has ended: its statuses, the Exact Data count, the files not written
// and the files in each output folder.
int ReportExport(const ExportArgs& args, ExportState& state, const StderrNotifier& notifier,
                 ExportRunResult result, int exactWritten, int pathStatus) {
    for (const std::string& status : notifier.statuses) std::cout << status << "\n";
    if (result == ExportRunResult::Refused) return kExitFailure;
    if (args.exact)
        std::cout << "Exact Data " << PrintableText(state.workingFolder) << " (" << exactWritten
                  << " files)\n";
    for (const WriteLedger::Failure& failure : state.ledger.Failures())
        std::cerr << "quadrel-cli: cannot write " << failure.Describe() << "\n";
    PrintFolders(args, state);
    const bool exported = result == ExportRunResult::Succeeded;
    return WorstExit(exported ? kExitOk : kExitFailure, pathStatus);
}

int ExportOneBatch(const ExportArgs& args, PatternRun& run, ExportState& state,
                   const StderrNotifier& notifier) {
    CQuadrelDoc& doc = run.session->Doc();
    if (const int status = OpenPatternFiles(*run.session, run.input.files); status != kExitOk) {
        PrintRefusal(doc.table.size(), false);
        return status;
    }
#ifdef QUADREL_HAVE_REPORTS
    // The reports draw their pictures off screen and are written before the command returns.
    auto app = args.options.wordReport1 || args.options.wordReport2 ? EnsureGuiApplication() : nullptr;
    BlockingReportLauncher launcher;
    ReportLauncher* reports = &launcher;
#else
    ReportLauncher* reports = nullptr;
#endif
    // The Exact Data files belong to the run: written before its final text, into its ledger.
    int exactWritten = 0;
    auto exact = [&] { exactWritten = SaveAllAsExactData(doc, state.workingFolder, &state.ledger); };
    const ExportRunResult result =
        RunDataExport(doc, state, reports, args.exact ? std::function<void()>(exact) : nullptr);
    return ReportExport(args, state, notifier, result, exactWritten, run.input.status);
}

// One test folder's cuts at a time; the files, and what is printed, are those of the one batch.
int ExportByTestFolder(const ExportArgs& args, PatternRun& run, ExportState& state,
                       const StderrNotifier& notifier) {
    int exactWritten = 0;
    auto exact = [&](const CQuadrelDoc& folder) {
        exactWritten += SaveAllAsExactData(folder, state.workingFolder, &state.ledger);
    };
    FolderExportRun exportRun(state, args.exact ? std::function<void(const CQuadrelDoc&)>(exact) : nullptr);
    size_t loaded = 0;
    bool wanted = true;
    bool begun = false;
    const int status = LoadByTestFolder(*run.session, run.input.files, false, [&](Session& folder, int load) {
        loaded += folder.Doc().table.size();
        if (load != kExitOk || !wanted) return;
        begun = true;
        wanted = ExportTestFolder(exportRun, folder.Doc());
    });
    if (status != kExitOk) {
        PrintRefusal(loaded, begun);
        return status;
    }
    // A run refused at its first folder has said why; one asked to stop ends as the batch would.
    const ExportRunResult result =
        wanted ? exportRun.Finish(run.session->Doc())
               : (state.ledger.Stopping() ? ExportRunResult::Stopped : ExportRunResult::Refused);
    return ReportExport(args, state, notifier, result, exactWritten, run.input.status);
}

int RunExport(const CliGlobals& globals, ExportArgs args) {
    StderrNotifier notifier;
    notifier.keepForJson = false;
    PatternRun run = StartPatternRun(globals, args.paths, notifier);
    if (!run.session) return run.input.status;

    PatternInfoConfig info;
    if (!AcceptPatternInfo(args.antennaType, args.gainUnit, args.tiltMethod, PortRows(args.ports), info,
                           notifier))
        return kExitUsage;
    args.options.chinese = args.lang == "zh";
    args.options.english = args.lang == "en";
    ExportState state;
    if (!AcceptExportDialog(run.session->Doc(), state, args.out, args.options, info)) return kExitUsage;
    if (!args.limits.empty() && !(state.limits = LoadLimitsForCli(args.limits))) return kExitUsage;
    if (args.oneBatch || SpansTheBatch(args.options) || run.input.files.empty())
        return ExportOneBatch(args, run, state, notifier);
    return ExportByTestFolder(args, run, state, notifier);
}
} // namespace

void AddExportCommand(CLI::App& app, CliGlobals& globals, CommandAction& run) {
    auto args = std::make_shared<ExportArgs>();
    DataExportOptions& o = args->options;
    auto* cmd = app.add_subcommand("export", "Write the export files");
    cmd->add_option("--out", args->out, "Working folder (must exist)")->required();
    cmd->add_flag("--pln", o.pln, "PLN files");
    cmd->add_flag("--txt", o.txt, "TXT files");
    cmd->add_flag("--msi", o.msi, "MSI files");
    cmd->add_flag("--tmvmsi", o.tmvmsi, "TMVMSI files");
    cmd->add_flag("--xml", o.xml, "Enterprise XML files");
    cmd->add_flag("--exact", args->exact, "Every pattern as Exact Data (save-as) into the working folder");
    cmd->add_flag("--raw-xlsx", o.excelData, "Raw-data workbook");
    cmd->add_flag("--result-xlsx", o.excelReport, "Analysis-result workbook");
    cmd->add_flag("--onesheet", o.oneSheet, "Analysis results on one sheet");
    cmd->add_flag("--word1", o.wordReport1, "Word report format 1 (standard test report)");
    cmd->add_flag("--word2", o.wordReport2, "Word report format 2 (pattern collection)");
    cmd->add_flag("--pdf", o.pdf, "Each Word report also as PDF beside it (needs LibreOffice)");
    cmd->add_option("--lang", args->lang, "Template language of report format 1")
        ->check(CLI::IsMember({"zh", "en"}));
    cmd->add_option("--antenna-type", args->antennaType, "Dual-port or Multi-port")
        ->check(CLI::IsMember({"Dual-port", "Multi-port"}));
    cmd->add_option("--gain-unit", args->gainUnit, "dBi or dBd")->check(CLI::IsMember({"dBi", "dBd"}));
    cmd->add_option("--tilt-method", args->tiltMethod, "None, Electrical or Mechanical")
        ->check(CLI::IsMember({"None", "Electrical", "Mechanical"}));
    cmd->add_option("--port", args->ports, "Port name and file extension, NAME=EXT (repeatable)");
    cmd->add_option("--limits", args->limits,
                    "Datasheet limits (TOML) for the result workbook and report format 1");
    cmd->add_flag("--one-batch", args->oneBatch,
                  "Load every file as one batch, even over many test folders (every cut is held at once)");
    cmd->add_option("paths", args->paths, "Pattern files or folders")->required();
    cmd->callback([&run, &globals, args] { run = [&globals, args] { return RunExport(globals, *args); }; });
}
