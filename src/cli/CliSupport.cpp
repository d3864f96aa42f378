#include "cli/CliSupport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>

#include "app/ConfigLocation.h"
#include "app/TextUtil.h"
#include "document/DocumentSetup.h"

namespace fs = std::filesystem;

namespace {
bool IsPatternFileName(const std::string& name) {
    return EndsWith(name, ".msi") || EndsWith(name, ".MSI") || EndsWith(name, ".cm") || EndsWith(name, ".CM");
}
} // namespace

bool ExpandPatternPaths(const std::vector<std::string>& args, std::vector<std::string>& files) {
    bool ok = true;
    for (const std::string& arg : args) {
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            for (fs::recursive_directory_iterator it(arg, ec), end; !ec && it != end; it.increment(ec)) {
                std::error_code typeError;
                if (it->is_regular_file(typeError) && IsPatternFileName(it->path().filename().string()))
                    files.push_back(it->path().string());
            }
        } else if (fs::exists(arg, ec)) {
            files.push_back(arg);
        } else {
            std::cerr << "quadrel-cli: no such file or folder: " << arg << "\n";
            ok = false;
        }
    }
    std::sort(files.begin(), files.end());
    return ok;
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

void PrintJson(const nlohmann::json& out) {
    std::cout << out.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}
