#include <filesystem>
#include <iostream>
#include <set>

#include "app/TextUtil.h"
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

void PrintAllRows(const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows) {
        for (size_t column = 0; column < row.size(); ++column)
            std::cout << (column ? "\t" : "") << PrintableText(row[column]);
        std::cout << "\n";
    }
}

int RunResults(const CliGlobals& globals, const ResultsOptions& options) {
    StderrNotifier notifier;
    PatternRun run = StartPatternRun(globals, options.paths, notifier);
    if (!run.session) return run.input.status;
    const int status = OpenRunFiles(run);
    Session* session = run.session.get();
    CQuadrelDoc* doc = session->doc.get();

    std::set<std::string> chosen;
    for (const std::string& select : options.selects) {
        const std::string key = LoadedKey(*doc, select);
        if (key.empty()) {
            std::cerr << "quadrel-cli: not a loaded pattern file: " << PrintableText(select) << "\n";
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
        const std::vector<std::string> lines = BuildCurrentResultLines(*doc);
        for (const std::string& line : lines) std::cout << PrintableText(line) << "\n";
        if (lines.empty() && !doc->selectionList.empty())
            std::cerr << "quadrel-cli: the current pane shows one selected file, or two related cuts; "
                      << doc->selectionList.size()
                      << " are selected (choose with --select, or use --pane all)\n";
    }
    return status;
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
