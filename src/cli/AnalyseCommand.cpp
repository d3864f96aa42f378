#include "cli/Commands.h"

void AddAnalyseCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("analyse", "Load and analyse every file; print every indicator");
    cmd->callback([&run] {
        run = [] {
            std::cerr << "analyse: not yet available\n";
            return kExitFailure;
        };
    });
}
