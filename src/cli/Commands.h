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

// Message boxes of the desktop become "CAPTION: TEXT" lines on stderr; they are also kept so that
// --json output can list them.
class StderrNotifier : public Notifier {
  public:
    void Notify(const std::string& text, const std::string& caption) override {
        std::cerr << caption << ": " << text << "\n";
        messages.emplace_back(caption, text);
    }
    void Status(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::string> statuses;
};

struct CliGlobals {
    std::string configDir; // --config-dir
};

// Each command registers its subcommand and sets `run` to the action chosen on the command line.
using CommandAction = std::function<int()>;
void AddLoadCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddAnalyseCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddGenerateCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddResultsCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddExportCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
void AddPlotCommand(CLI::App& app, CliGlobals& globals, CommandAction& run);
