#include <CLI/CLI.hpp>
#include <clocale>
#include <iostream>

#include "cli/Commands.h"

int main(int argc, char** argv) {
    // Whatever the user's locale, files are read and written with "." (the engine never asks the
    // C locale), but messages may follow it.
    std::setlocale(LC_ALL, "");
    CLI::App app{"quadrel-cli: load, analyse, export and plot measured antenna patterns"};
    app.require_subcommand(1);
    CliGlobals globals;
    app.add_option("--config-dir", globals.configDir, "Folder of Config.xml and ColorSetting.ini");
    CommandAction run;
    AddLoadCommand(app, globals, run);
    AddAnalyseCommand(app, globals, run);
    AddResultsCommand(app, globals, run);
    AddExportCommand(app, globals, run);
    AddPlotCommand(app, globals, run);
    AddGenerateCommand(app, globals, run);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return e.get_exit_code() == 0 ? code : kExitUsage;
    }
    try {
        return run ? run() : kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "quadrel-cli: " << e.what() << "\n";
        return kExitFailure;
    }
}
