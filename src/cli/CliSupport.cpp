#include "cli/CliSupport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <utility>

#include "app/ConfigLocation.h"
#include "app/Parallel.h"
#include "app/TextUtil.h"
#include "app/Version.h"
#include "cli/JsonStream.h"
#include "cli/RunProgress.h"
#include "commands/FileCommands.h"
#include "commands/StartUp.h"
#include "conformance/DatasheetLimits.h"

namespace fs = std::filesystem;

PatternPaths ExpandPatternPaths(const std::vector<std::string>& args) {
    const CollectedPatternFiles collected = CollectPatternFiles(args);
    PatternPaths result;
    result.files = collected.files;
    for (const std::string& arg : collected.missing) {
        std::cerr << "quadrel-cli: no such file or folder: " << PrintableText(arg) << "\n";
        result.status = WorstExit(result.status, kExitUsage);
    }
    for (const auto& [folder, why] : collected.skippedFolders) {
        std::cerr << "quadrel-cli: folder " << PrintableText(folder) << " " << why << "\n";
        result.status = WorstExit(result.status, kExitFailure);
    }
    // Every command that reads pattern files (check included) counts them from here.
    StartRunProgress(result.files.size());
    return result;
}

PatternRun StartPatternRun(const CliGlobals& globals, const std::vector<std::string>& paths,
                           Notifier& notifier) {
    PatternRun run;
    run.input = ExpandPatternPaths(paths);
    if (run.input.status == kExitUsage) return run;
    run.session = CreateSession(ResolveConfigDir(globals.configDir), &notifier);
    SetLoadOptions(*run.session, globals.jobs > 0 ? globals.jobs : CoreCount(), RunProgressStep);
    return run;
}

int OpenPatternFiles(Session& session, const std::vector<std::string>& files) {
    const CQuadrelDoc& doc = std::as_const(session).Doc();
    const int loaded = OpenFilesCommand(session, files);
    // What the command prints next starts on a clean line; the next batch draws the line again.
    ClearRunProgress();
    if (loaded != kLoadRefused) return kExitOk;
    const LoadFailure& failure = doc.LastLoadFailure();
    std::cerr << "quadrel-cli: refused " << failure.Describe() << "\n";
    return failure.kind == FailureKind::Unreadable ? kExitFailure : kExitRefused;
}

int OpenRunFiles(PatternRun& run) {
    return WorstExit(OpenPatternFiles(*run.session, run.input.files), run.input.status);
}

int WorstExit(int a, int b) {
    for (int status : {kExitRefused, kExitUsage, kExitFailure})
        if (a == status || b == status) return status;
    return kExitOk;
}

std::string LoadedKey(const CQuadrelDoc& doc, const std::string& given) {
    const std::string path = InputPath(given);
    if (doc.Find(path)) return PatternKey(path);
    for (const auto& [key, file] : doc.table) {
        std::error_code ec;
        if (fs::equivalent(file.path, path, ec)) return key;
    }
    return {};
}

nlohmann::json FloatJson(float value) {
    if (!std::isfinite(value)) return nullptr;
    // Through the shortest float text, so that the double handed to the JSON writer prints short.
    const std::string text = FormatShortestFloat(value);
    double d = 0;
    std::from_chars(text.data(), text.data() + text.size(), d);
    return d;
}

nlohmann::json PointJson(const PatternPoint& point) {
    return {{"fAngle", FloatJson(point.fAngle)}, {"fMag", FloatJson(point.fMag)}};
}

nlohmann::json MessagesJson(const StderrNotifier& notifier) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [caption, text] : notifier.messages)
        list.push_back({{"caption", caption}, {"text", text}});
    return list;
}

nlohmann::json WarningsJson(const StderrNotifier& notifier) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [subject, text] : notifier.warnings) list.push_back({{"file", subject}, {"text", text}});
    return list;
}

void EndRunJson(JsonStream& out, const StderrNotifier& notifier) {
    out.Key("version");
    out.Value(kQuadrelVersion);
    out.Key("warnings");
    out.Value(WarningsJson(notifier));
    out.EndObject();
    std::cout << "\n";
}

void StderrNotifier::Notify(const std::string& text, const std::string& caption) {
    std::string line = ReplaceAll(ReplaceAll(text, "\r\n", " "), "\n", " ");
    while (!line.empty() && line.back() == ' ') line.pop_back();
    ClearRunProgress();
    std::cerr << caption << ": " << line << "\n";
    if (keepForJson) messages.emplace_back(caption, text);
}

void StderrNotifier::Warning(const std::string& subject, const std::string& text) {
    ClearRunProgress();
    std::cerr << "warning: " << PrintableText(subject) << ": " << PrintableText(text) << "\n";
    if (keepForJson) warnings.emplace_back(subject, text);
}

void AddConfigDirOption(CLI::App& command, CliGlobals& globals) {
    command.add_option("--config-dir", globals.configDir, "Folder of Config.xml and ColorSetting.ini");
}

void AddJobsOption(CLI::App& command, CliGlobals& globals) {
    command
        .add_option("--jobs", globals.jobs, "Threads for reading and analysing files (default: one per core)")
        ->check(CLI::Range(1, 1024));
}

std::shared_ptr<const DatasheetLimits> LoadLimitsForCli(const std::string& path) {
    LimitsParse parse = LoadLimitsFile(path);
    if (!parse.limits) {
        std::cerr << "quadrel-cli: refused limits " << parse.error.Describe() << "\n";
        return nullptr;
    }
    return std::make_shared<const DatasheetLimits>(std::move(*parse.limits));
}
