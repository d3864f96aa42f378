// The desktop export of every format (pattern files, both workbooks, both Word reports with their
// pictures; no PDF) of one antenna of 3,200 cuts, as the window runs it: an ExportJob on its copy of
// the document, the reports through the blocking launcher. Prints the time of each step and the
// total. Target: under 30 s. The cuts are the first 3,200 of the campaign `bench/run` generates
// (argument: its folder, default $TMPDIR/quadrel-bench/campaign-0.5), linked into one test folder.
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <unistd.h>

#include "commands/ExportJob.h"
#include "commands/FileCommands.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "render/OffscreenApp.h"
#include "reports/ReportWorker.h"

namespace fs = std::filesystem;

namespace {
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Prints each step's status text with the time since the run began.
class StepClock : public Notifier {
  public:
    void Notify(const std::string&, const std::string&) override {}
    void Status(const std::string& text) override {
        std::cout << "  " << SecondsSince(start) << " s  " << text << "\n" << std::flush;
    }
    Clock::time_point start = Clock::now();
};
} // namespace

int main(int argc, char** argv) {
    auto app = EnsureGuiApplication();
    const char* tmp = std::getenv("TMPDIR");
    const fs::path campaign =
        argc > 1 ? fs::path(argv[1]) : fs::path(tmp ? tmp : "/tmp") / "quadrel-bench/campaign-0.5";
    std::vector<fs::path> cuts;
    for (const auto& entry : fs::recursive_directory_iterator(campaign))
        if (entry.path().extension() == ".msi" &&
            entry.path().string().find("Gain Level") == std::string::npos)
            cuts.push_back(entry.path());
    std::sort(cuts.begin(), cuts.end());
    if (cuts.size() < 3200) {
        std::cerr << campaign << " holds " << cuts.size() << " cuts, fewer than 3,200: run bench/run first\n";
        return 1;
    }
    const fs::path root = fs::temp_directory_path() / ("quadrel-export-bench-" + std::to_string(::getpid()));
    const fs::path antenna = root / "Lab1_Proj7_QX6518_20261208_B01_SN00001";
    fs::create_directories(antenna);
    fs::create_directories(root / "out");
    for (size_t i = 0; i < 3200; ++i) fs::create_hard_link(cuts[i], antenna / cuts[i].filename());

    StepClock clock;
    DocumentListener quiet;
    auto session = CreateSession((root / "config").string() + "/", &clock, &quiet);
    const auto loadStart = Clock::now();
    OpenFilesCommand(*session, CollectPatternFiles({antenna.string()}).files);
    std::cout << "loaded " << session->Doc().table.size() << " cuts in " << SecondsSince(loadStart) << " s\n";
    DataExportOptions options;
    options.wordReport1 = options.wordReport2 = options.english = true;
    options.excelReport = options.excelData = true;
    options.pln = options.msi = options.xml = options.txt = options.tmvmsi = true;
    if (!ExportDialogOk(*session, (root / "out").string(), options, session->Doc().patternInfo)) return 1;

    clock.start = Clock::now();
    ExportJob job(*session);
    BlockingReportLauncher reports;
    const ExportRunResult result = job.Run(&reports);
    const double total = SecondsSince(clock.start);
    uintmax_t bytes = 0, files = 0, bitmaps = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root / "out"))
        if (entry.is_regular_file()) {
            bytes += entry.file_size();
            ++files;
            if (entry.path().extension() == ".bmp") bitmaps += entry.file_size();
        }
    std::cout << "export of every format: " << total << " s, " << files << " files, " << bytes / 1000000
              << " MB (bitmaps " << bitmaps / 1000000 << " MB); " << job.Summary().headline << " ("
              << static_cast<int>(result) << ")\n";
    fs::remove_all(root);
    return 0;
}
