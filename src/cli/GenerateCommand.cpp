#include "cli/Commands.h"

void AddGenerateCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("generate", "Write a realistic measurement campaign");
    cmd->callback([&run] {
        run = [] {
            std::cerr << "generate: not yet available\n";
            return kExitFailure;
        };
    });
}
