#include <iostream>
#include <type_traits>

#include "analysis/IndicatorResultFields.h"
#include "app/TextUtil.h"
#include "cli/CliSupport.h"
#include "cli/JsonStream.h"
#include "cli/ResultRecordText.h"
#include "cli/TestFolderRuns.h"
#include "commands/AnalyseFilesCommand.h"

namespace {
struct AnalyseOptions {
    bool json = false;
    bool csv = false;
    bool oneBatch = false;
    std::vector<std::string> paths;
};

// The CSV goes out in large pieces; one row is built at a time into a reused text.
void PrintCsvRows(const CQuadrelDoc& doc) {
    std::string text;
    for (const auto& [key, file] : doc.table) {
        AppendResultCsvRow(text, key, file.results);
        if (text.size() >= 1 << 16) {
            std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    }
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void PrintText(const CQuadrelDoc& doc) {
    for (const auto& [key, file] : doc.table) {
        std::cout << "file " << PrintableText(key) << "\n";
        ForEachResultMember(file.results, [](const char* name, const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, float>) {
                if (value != NOT_SET) std::cout << "  " << name << " " << FormatFixed(value, 2) << "\n";
            } else if constexpr (std::is_same_v<T, PatternPoint>) {
                if (value.fAngle != NOT_SET || value.fMag != NOT_SET)
                    std::cout << "  " << name << " (" << FormatFixed(value.fAngle, 2) << "°, "
                              << FormatFixed(value.fMag, 2) << " dB)\n";
            } else {
                std::string list;
                for (float v : value)
                    if (v != NOT_SET) list += " " + FormatFixed(v, 2);
                if (!list.empty()) std::cout << "  " << name << list << "\n";
            }
        });
    }
}

int RunAnalyse(const CliGlobals& globals, const AnalyseOptions& options) {
    StderrNotifier notifier;
    const PatternRun run = StartPatternRun(globals, options.paths, notifier);
    if (!run.session) return run.input.status;
    // One file's record at a time: a campaign's output never sits in memory as one tree.
    JsonStream out(std::cout);
    if (options.json) {
        out.BeginObject();
        out.Key("files");
        out.BeginArray();
    } else if (options.csv) {
        std::string header;
        AppendResultCsvHeader(header);
        std::cout << header;
    }
    const int status =
        LoadByTestFolder(*run.session, run.input.files, options.oneBatch, [&](Session& folder, int) {
            AnalyseFilesCommand(folder);
            const CQuadrelDoc& doc = folder.Doc();
            if (options.json) {
                for (const auto& [key, file] : doc.table)
                    WriteResultJson(out, key, file.results, file.warnings);
            } else if (options.csv) {
                PrintCsvRows(doc);
            } else {
                PrintText(doc);
            }
        });
    if (options.json) {
        out.EndArray();
        out.Key("messages");
        out.Value(MessagesJson(notifier));
        EndRunJson(out, notifier);
    }
    return WorstExit(status, run.input.status);
}
} // namespace

void AddAnalyseCommand(CLI::App& app, CliGlobals& globals, CommandAction& run) {
    auto options = std::make_shared<AnalyseOptions>();
    auto* cmd = app.add_subcommand("analyse", "Load and analyse every file; print every indicator");
    auto* json = cmd->add_flag("--json", options->json, "Print JSON");
    cmd->add_flag("--csv", options->csv, "Print CSV")->excludes(json);
    cmd->add_flag("--one-batch", options->oneBatch,
                  "Load every file as one batch, even over many test folders (the gain series spans "
                  "them all; every cut is held at once)");
    cmd->add_option("paths", options->paths, "Pattern files or folders")->required();
    cmd->callback(
        [&run, &globals, options] { run = [&globals, options] { return RunAnalyse(globals, *options); }; });
}
