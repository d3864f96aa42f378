#include <filesystem>
#include <iostream>
#include <set>

#include "cli/CliSupport.h"
#include "commands/FileCommands.h"
#include "document/QuadrelDoc.h"
#include "results/ResultPanes.h"

namespace {
struct ResultsOptions {
    std::string pane = "current";
    std::vector<std::string> selects;
    std::vector<std::string> paths;
};

// The table key of a --select argument: its own key, or the key of the loaded file that names the
// same file under another spelling ("./a" for "a"). Empty when no loaded file matches.
std::string LoadedKey(const CQuadrelDoc& doc, const std::string& path) {
    if (doc.Find(path)) return PatternKey(path);
    for (const auto& [key, file] : doc.table) {
        std::error_code ec;
        if (std::filesystem::equivalent(file.path, path, ec)) return key;
    }
    return {};
}

void PrintAllRows(const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows) {
        for (size_t column = 0; column < row.size(); ++column)
            std::cout << (column ? "\t" : "") << row[column];
        std::cout << "\n";
    }
}

int RunResults(const CliGlobals& globals, const ResultsOptions& options) {
    std::vector<std::string> files;
    if (!ExpandPatternPaths(options.paths, files)) return kExitUsage;
    StderrNotifier notifier;
    auto session = CreateCliSession(globals, notifier);
    CQuadrelDoc* doc = session->doc.get();
    const int status = OpenFilesCommand(*session, files);

    std::set<std::string> chosen;
    for (const std::string& select : options.selects) {
        const std::string key = LoadedKey(*doc, select);
        if (key.empty()) {
            std::cerr << "quadrel-cli: not a loaded pattern file: " << select << "\n";
            return kExitUsage;
        }
        chosen.insert(key);
    }
    // A click hands over its selected rows in list order, whatever order the arguments name them in.
    std::vector<std::string> rows;
    for (const auto& [key, file] : doc->table)
        if (options.selects.empty() || chosen.count(key)) rows.push_back(key);
    ClickFileRows(*session, rows);

    if (options.pane == "all") {
        PrintAllRows(BuildAllResultRows(*doc));
    } else {
        for (const std::string& line : BuildCurrentResultLines(*doc)) std::cout << line << "\n";
    }
    std::cout.flush();
    if (!std::cout) return kExitFailure;
    return status == kLoadRefused ? kExitRefused : kExitOk;
}
} // namespace

void AddResultsCommand(CLI::App& app, CliGlobals& globals, CommandAction& run) {
    auto options = std::make_shared<ResultsOptions>();
    auto* cmd = app.add_subcommand("results", "Print the result pane lines of the selected files");
    cmd->add_option("--pane", options->pane, "Which pane: current or all")
        ->check(CLI::IsMember({"current", "all"}));
    cmd->add_option("--select", options->selects, "A loaded pattern file to select (repeatable)")
        ->allow_extra_args(false);
    cmd->add_option("paths", options->paths, "Pattern files or folders")->required();
    cmd->callback(
        [&run, &globals, options] { run = [&globals, options] { return RunResults(globals, *options); }; });
}
