#include "cli/CliSupport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>

#include "app/ConfigLocation.h"
#include "app/TextUtil.h"
#include "app/Version.h"
#include "cli/JsonStream.h"
#include "document/DocumentSetup.h"

namespace fs = std::filesystem;

namespace {
// Deeper than any measurement archive; a deeper tree is a link loop or a hostile one.
constexpr int kMaxFolderDepth = 64;

bool IsPatternFileName(const std::string& name) {
    return EndsWith(name, ".msi") || EndsWith(name, ".MSI") || EndsWith(name, ".cm") || EndsWith(name, ".CM");
}

// Collects the pattern files below `folder`; a folder that cannot be read is named and skipped, the
// others are still collected. False when anything was skipped.
bool CollectFolder(const fs::path& folder, int depth, std::vector<std::string>& files) {
    if (depth > kMaxFolderDepth) {
        std::cerr << "quadrel-cli: folder nested too deeply, skipped: " << PrintableText(folder.string())
                  << "\n";
        return false;
    }
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        std::cerr << "quadrel-cli: cannot read folder " << PrintableText(folder.string()) << ": "
                  << ec.message() << "\n";
        return false;
    }
    bool complete = true;
    std::vector<fs::path> subfolders;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        std::error_code typeError;
        const fs::file_status own = it->symlink_status(typeError);
        if (fs::is_directory(own)) {
            subfolders.push_back(it->path()); // links to folders are not followed: no loops
        } else if (it->is_regular_file(typeError) && IsPatternFileName(it->path().filename().string())) {
            files.push_back(it->path().string());
        }
    }
    if (ec) {
        std::cerr << "quadrel-cli: cannot read all of folder " << PrintableText(folder.string()) << ": "
                  << ec.message() << "\n";
        complete = false;
    }
    for (const fs::path& sub : subfolders) complete = CollectFolder(sub, depth + 1, files) && complete;
    return complete;
}
} // namespace

std::string InputPath(const std::string& arg) {
    std::error_code ec;
    if (arg.find('\\') == std::string::npos || fs::exists(arg, ec)) return arg;
    std::string slashed = arg;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    return fs::exists(slashed, ec) ? slashed : arg;
}

PatternPaths ExpandPatternPaths(const std::vector<std::string>& args) {
    PatternPaths result;
    for (const std::string& given : args) {
        const std::string arg = InputPath(given);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            const size_t before = result.files.size();
            if (!CollectFolder(arg, 0, result.files)) result.status = WorstExit(result.status, kExitFailure);
            if (result.files.size() == before) {
                std::cerr
                    << "quadrel-cli: no pattern file (.msi, .cm) in folder " << PrintableText(arg)
                    << "; planning files (.pln, .txt) become a measurement folder with quadrel-cli import\n";
                result.status = WorstExit(result.status, kExitFailure);
            }
        } else if (fs::exists(arg, ec)) {
            result.files.push_back(arg);
        } else {
            std::cerr << "quadrel-cli: no such file or folder: " << PrintableText(given) << "\n";
            result.status = WorstExit(result.status, kExitUsage);
        }
    }
    std::sort(result.files.begin(), result.files.end());
    return result;
}

int OpenPatternFiles(CQuadrelDoc& doc, const std::vector<std::string>& files) {
    if (doc.OpenFiles(files) != kLoadRefused) return kExitOk;
    const LoadFailure& failure = doc.LastLoadFailure();
    std::cerr << "quadrel-cli: refused " << PrintableText(failure.path) << ": " << failure.reason << "\n";
    return failure.unreadable ? kExitFailure : kExitRefused;
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

std::unique_ptr<CQuadrelDoc> CreateCliDocument(const CliGlobals& globals, Notifier& notifier) {
    auto doc = std::make_unique<CQuadrelDoc>(&notifier);
    InitialiseDocument(*doc, ResolveConfigDir(globals.configDir));
    return doc;
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
    std::cerr << caption << ": " << line << "\n";
    messages.emplace_back(caption, text);
}

void StderrNotifier::Warning(const std::string& subject, const std::string& text) {
    std::cerr << "warning: " << PrintableText(subject) << ": " << text << "\n";
    warnings.emplace_back(subject, text);
}

void AddConfigDirOption(CLI::App& command, CliGlobals& globals) {
    command.add_option("--config-dir", globals.configDir, "Folder of Config.xml and ColorSetting.ini");
}
