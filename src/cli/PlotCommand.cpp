#include "cli/Commands.h"

void AddPlotCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("plot", "Render the selection as the view draws it");
    cmd->allow_extras();
    cmd->callback([&run] { run = [] { std::cerr << "plot: not yet available\n"; return kExitFailure; }; });
}
