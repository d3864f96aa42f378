#include "cli/CliSupport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>

#include "app/ConfigLocation.h"
#include "app/TextUtil.h"
#include "commands/FileCommands.h"
#include "commands/StartUp.h"

bool ExpandPatternPaths(const std::vector<std::string>& args, std::vector<std::string>& files) {
    std::vector<std::string> missing;
    CollectPatternFiles(args, files, missing);
    for (const std::string& arg : missing) std::cerr << "quadrel-cli: no such file or folder: " << arg << "\n";
    return missing.empty();
}

std::unique_ptr<CQuadrelDoc> CreateCliDocument(const CliGlobals& globals, Notifier& notifier) {
    return std::move(CreateCliSession(globals, notifier)->doc);
}

std::unique_ptr<Session> CreateCliSession(const CliGlobals& globals, Notifier& notifier) {
    return CreateSession(ResolveConfigDir(globals.configDir), &notifier);
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

void PrintJson(const nlohmann::json& out) {
    std::cout << out.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}
