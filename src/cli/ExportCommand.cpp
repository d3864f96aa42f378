#include "cli/Commands.h"

void AddExportCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("export", "Write the export files");
    cmd->allow_extras();
    cmd->callback([&run] { run = [] { std::cerr << "export: not yet available\n"; return kExitFailure; }; });
}
