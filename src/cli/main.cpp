#include <CLI/CLI.hpp>
#include <cerrno>
#include <clocale>
#include <iostream>

#include "app/AtomicFile.h"
#include "app/Version.h"

#include "cli/Commands.h"
#include "cli/RunProgress.h"

int main(int argc, char** argv) {
    // Whatever the user's locale, files are read and written with "." (the engine never asks the
    // C locale), but messages may follow it.
    std::setlocale(LC_ALL, "");
    CLI::App app{"quadrel-cli: load, analyse, export and plot measured antenna patterns"};
    app.require_subcommand(1);
    CliGlobals globals;
    app.set_version_flag("--version", kQuadrelVersion);
    AddConfigDirOption(app, globals);
    AddJobsOption(app, globals);
    CommandAction run;
    AddLoadCommand(app, globals, run);
    AddAnalyseCommand(app, globals, run);
    AddResultsCommand(app, globals, run);
    AddExportCommand(app, globals, run);
    AddPlotCommand(app, globals, run);
    AddGenerateCommand(app, globals, run);
    AddImportCommand(app, globals, run);
    AddCheckCommand(app, globals, run);
    for (CLI::App* command : app.get_subcommands({})) {
        AddConfigDirOption(*command, globals);
        AddJobsOption(*command, globals);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return e.get_exit_code() == 0 ? code : kExitUsage;
    }
    int status = kExitUsage;
    try {
        if (run) status = run();
    } catch (const std::exception& e) {
        std::cerr << "quadrel-cli: " << e.what() << "\n";
        status = kExitFailure;
    }
    FinishRunProgress();
    // Output that did not reach its file (a full disk, a closed pipe) is a failure, never success.
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        const int error = errno;
        std::cerr << "quadrel-cli: cannot write the output" << (error ? ": " + ErrorText(error) : "") << "\n";
        return status == kExitOk ? kExitFailure : status;
    }
    return status;
}
