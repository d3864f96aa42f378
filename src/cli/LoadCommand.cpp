#include "cli/Commands.h"

void AddLoadCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("load", "Load pattern files and print what was stored");
    cmd->callback([&run] {
        run = [] {
            std::cerr << "load: not yet available\n";
            return kExitFailure;
        };
    });
}
