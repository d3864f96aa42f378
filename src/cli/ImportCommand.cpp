#include <algorithm>
#include <filesystem>

#include "app/TextUtil.h"
#include "cli/CliSupport.h"
#include "cli/RunProgress.h"
#include "commands/FileCommands.h"
#include "import/PlanningImport.h"

namespace fs = std::filesystem;

namespace {
struct ImportArgs {
    ImportOptions options;
    std::string polarisation;
    std::vector<std::string> paths;
};

bool IsPlanningCandidate(const fs::path& file) {
    const std::string name = ToLower(file.filename().string());
    return EndsWith(name, ".msi") || EndsWith(name, ".pln") || EndsWith(name, ".txt");
}

// Files as given; a folder stands for the .msi, .pln and .txt files directly in it.
int ExpandImportPaths(const std::vector<std::string>& args, std::vector<std::string>& files) {
    int status = kExitOk;
    for (const std::string& given : args) {
        const std::string arg = InputPath(given);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<std::string> found;
            for (fs::directory_iterator it(arg, ec), end; !ec && it != end; it.increment(ec))
                if (it->is_regular_file(ec) && IsPlanningCandidate(it->path()))
                    found.push_back(it->path().string());
            if (found.empty()) {
                std::cerr << "quadrel-cli: no planning file (.msi, .pln, .txt) in folder "
                          << PrintableText(arg) << "\n";
                status = WorstExit(status, kExitFailure);
            }
            std::sort(found.begin(), found.end());
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::exists(arg, ec)) {
            files.push_back(arg);
        } else {
            std::cerr << "quadrel-cli: no such file or folder: " << PrintableText(given) << "\n";
            status = WorstExit(status, kExitUsage);
        }
    }
    return status;
}

int RunImport(ImportArgs& args) {
    std::vector<std::string> files;
    const int status = ExpandImportPaths(args.paths, files);
    if (status != kExitOk) return status;
    args.options.polarisation = ToUpper(args.polarisation);
    StderrNotifier notifier;
    StartRunProgress(files.size());
    args.options.fileRead = RunProgressStep;
    const ImportOutcome outcome = ImportPlanningFiles(files, args.options, notifier);
    ClearRunProgress();
    for (const ImportProblem& problem : outcome.refused)
        std::cerr << "quadrel-cli: refused " << problem.Describe() << "\n";
    if (!outcome.refused.empty()) {
        std::cerr << "quadrel-cli: nothing imported\n";
        return kExitRefused;
    }
    for (const ImportProblem& problem : outcome.failed)
        std::cerr << "quadrel-cli: " << problem.Describe() << "\n";
    for (const ImportedFile& file : outcome.files) {
        std::cout << "imported " << PrintableText(file.source) << "\n  -> "
                  << PrintableText(file.horizontalCut) << "\n  -> " << PrintableText(file.verticalCut)
                  << "\n";
    }
    return outcome.failed.empty() ? kExitOk : kExitFailure;
}
} // namespace

void AddImportCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd =
        app.add_subcommand("import", "Turn planning files (MSI/Planet, PLN, TXT) into a measurement folder");
    auto args = std::make_shared<ImportArgs>();
    cmd->add_option("--out", args->options.outFolder, "Folder to write the test folders into")->required();
    cmd->add_option("--model", args->options.model,
                    "Antenna model (default: first \"_\" field of each file name)");
    cmd->add_option("--serial", args->options.serial, "Serial number field of the test folder")
        ->capture_default_str();
    cmd->add_option("--port", args->options.port, "Port number of every cut (default: +45 odd, -45 even)")
        ->check(CLI::Range(1, 99));
    cmd->add_option("--pol", args->polarisation, "Polarisation of every file, overriding the header")
        ->check(CLI::IsMember({"P45", "M45"}, CLI::ignore_case));
    cmd->add_option("files", args->paths, "Planning files, or folders of them")->required();
    cmd->callback([&run, args] { run = [args] { return RunImport(*args); }; });
}
