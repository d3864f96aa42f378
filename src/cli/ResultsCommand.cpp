#include "cli/Commands.h"

void AddResultsCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("results", "Print the result pane lines of the selected files");
    cmd->allow_extras();
    cmd->callback([&run] { run = [] { std::cerr << "results: not yet available\n"; return kExitFailure; }; });
}
