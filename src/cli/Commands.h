#pragma once
#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/Notifier.h"

// Exit statuses of quadrel-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRefused = 3;
// `check`: a group fails its limit or has no value to show that it keeps it.
inline constexpr int kExitCheckFailed = 4;

// Message boxes of the desktop become "CAPTION: TEXT" lines on stderr; they are also kept so that
// --json output can list them.
// A message of several lines (the export notice) is printed on one line; the desktop keeps its breaks.
class StderrNotifier : public Notifier {
  public:
    void Notify(const std::string& text, const std::string& caption) override;
    void Status(const std::string& text) override { statuses.push_back(text); }
    // "warning: SUBJECT: TEXT" on stderr; kept for the JSON "warnings" list.
    void Warning(const std::string& subject, const std::string& text) override;
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::string> statuses;
    std::vector<std::pair<std::string, std::string>> warnings;
    // A command without JSON output does not keep the messages and warnings: an export over an
    // archive may give one for each of a hundred thousand files.
    bool keepForJson = true;
};

struct CliGlobals {
    std::string configDir; // --config-dir, before or after the command
    int jobs = 0;          // --jobs, before or after the command; 0: one per core
};

// Adds --config-dir to a command, so that it may follow the command name as well as precede it.
void AddConfigDirOption(CLI::App& command, CliGlobals& globals);
// Adds --jobs N (threads for reading, parsing and analysing files; 1 runs on one thread).
void AddJobsOption(CLI::App& command, CliGlobals& globals);

// Each command registers its subcommand and sets `run` to the action chosen on the command line.
using CommandAction = std::function<int()>;
void AddLoadCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddAnalyseCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddGenerateCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddResultsCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddExportCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddPlotCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddImportCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddCheckCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
