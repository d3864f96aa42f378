// Builds report format 1 and format 2 for a campaign of 200 patterns (2 ports, 5 tilts, 5
// frequencies, co- and cross-polar, both planes), or of 800 with the argument "800" (4 ports, 10
// frequencies), screenshots included, as the export's report worker does. Target: under 10 s on two
// cores. Where LibreOffice is installed, the PDFs of both reports are timed on their own, unless
// "--no-pdf" is given (profiling the reports alone).
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "commands/Analysis.h"
#include "commands/StartUp.h"
#include "document/QuadrelDoc.h"
#include "export/ExportDriver.h"
#include "generate/Campaign.h"
#include "render/OffscreenApp.h"
#include "reports/PdfConversion.h"
#include "reports/ReportJob.h"
#include "reports/ReportScreenshots.h"
#include "reports/ReportWorker.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    auto app = EnsureGuiApplication();
    const fs::path root = fs::temp_directory_path() / ("quadrel-report-bench-" + std::to_string(::getpid()));
    CampaignOptions options;
    options.outDir = (root / "campaign").string();
    options.tilts = {0, 2, 4, 6, 8};
    options.frequencies = {1710, 1805, 1880, 1990, 2170};
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    auto given = [&](const char* flag) {
        return std::find(arguments.begin(), arguments.end(), flag) != arguments.end();
    };
    if (given("800")) {
        options.ports = 4;
        options.frequencies = {1710, 1750, 1805, 1850, 1880, 1920, 1990, 2050, 2110, 2170};
    }
    CampaignSummary summary;
    std::string error;
    if (!GenerateCampaign(options, summary, error)) {
        std::cerr << "cannot generate the campaign: " << error << "\n";
        return 1;
    }
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    InitialiseDocument(doc, (root / "config").string() + "/");
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(options.outDir))
        if (entry.path().extension() == ".msi" &&
            entry.path().string().find("Gain Level") == std::string::npos)
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    doc.OpenFiles(files);
    AnalyseAll(doc);

    ExportState state;
    state.workingFolder = (root / "out").string() + "/";
    state.reportFolder = state.workingFolder + "report/";
    state.options.english = true;
    SetTemplatePaths((root / "config").string() + "/", state);
    MakeFolder(state.reportFolder);

    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    std::unique_ptr<ReportJob> job = MakeReportJob(doc, state, true, true);
    const int result = RunReportWorker(*job, silent);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // The processor time says what the run costs when the machine is shared with other work.
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    // The parts again, one by one, to show where the time goes.
    auto seconds = [](auto run) {
        const auto begin = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    };
    std::cout << "  pattern pictures " << seconds([&] { TakePatternScreenshots(*job); })
              << " s, set pictures " << seconds([&] { TakeSetScreenshots(*job); }) << " s, format 1 "
              << seconds([&] { BuildReportFormat1(*job, silent); }) << " s, format 2 "
              << seconds([&] { BuildReportFormat2(*job, silent); }) << " s\n";
    std::cout << "report formats 1 and 2, " << doc.table.size()
              << " patterns with screenshots: " << elapsed.count() << " s, " << cpu
              << " s of processor time (target < 10 s)" << (elapsed.count() < 10 ? "" : "  ** over target **")
              << (result == 0 ? "" : "  ** reports failed **") << "\n";
    if (!given("--no-pdf") && !FindOfficeProgram().empty()) {
        const auto begin = std::chrono::steady_clock::now();
        const PdfOutcome pdf = ConvertReportToPdf(Format1OutputPath(*job));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
        std::cout << "PDF of format 1 (LibreOffice, contents checked): " << took.count() << " s"
                  << (pdf.written ? "" : "  ** " + pdf.error + " **") << "\n";
    }
    fs::remove_all(root);
    return result == 0 ? 0 : 1;
}
