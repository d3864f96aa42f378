#include <iostream>

#include "app/TextUtil.h"
#include "cli/CliSupport.h"

namespace {
struct LoadOptions {
    bool json = false;
    std::vector<std::string> paths;
};

nlohmann::json FileJson(const PatternFile& file, bool withSamples) {
    nlohmann::json samples = nlohmann::json::array();
    if (withSamples) {
        for (const PatternPoint& p : file.samples)
            samples.push_back({FloatJson(p.fAngle), FloatJson(p.fMag)});
    }
    nlohmann::json j = {
        {"key", file.key},
        {"path", file.path},
        {"fileName", file.fileName},
        {"NameFields", file.names},
        {"headerValue", FloatJson(file.headerValue)},
        {"count", file.count},
        {"sampleCount", file.samples.size()},
        {"Gain", FloatJson(file.results.Gain)},
        {"Hmax", PointJson(file.results.Hmax)},
        {"Vmax", PointJson(file.results.Vmax)},
    };
    if (withSamples) j["samples"] = std::move(samples);
    return j;
}

nlohmann::json CurvesJson(const std::map<std::string, CurveFile>& curves) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [key, curve] : curves) {
        nlohmann::json points = nlohmann::json::array();
        for (const PatternPoint& p : curve.points) points.push_back({FloatJson(p.fAngle), FloatJson(p.fMag)});
        list.push_back({{"path", curve.path}, {"fileName", curve.fileName}, {"points", points}});
    }
    return list;
}

void PrintText(const CQuadrelDoc& doc) {
    for (const auto& [key, file] : doc.table) {
        std::cout << "file " << file.key << "\n";
        std::cout << "  path " << file.path << "\n  fileName " << file.fileName << "\n  NameFields";
        for (const std::string& field : file.names) std::cout << " [" << field << "]";
        std::cout << "\n  headerValue " << FormatShortestFloat(file.headerValue) << "  count " << file.count
                  << "  samples " << file.samples.size() << "\n";
        std::cout << "  Gain " << FormatShortestFloat(file.results.Gain) << "  Hmax ("
                  << FormatShortestFloat(file.results.Hmax.fAngle) << ", "
                  << FormatShortestFloat(file.results.Hmax.fMag) << ")  Vmax ("
                  << FormatShortestFloat(file.results.Vmax.fAngle) << ", "
                  << FormatShortestFloat(file.results.Vmax.fMag) << ")\n";
    }
    std::cout << "loaded " << doc.table.size() << " files, " << doc.gainCurves.size() << " gain curves, "
              << doc.envelopes.size() << " envelope curves; no-gain flag " << doc.noGainFlag << "\n";
}

int RunLoad(const CliGlobals& globals, const LoadOptions& options) {
    std::vector<std::string> files;
    if (!ExpandPatternPaths(options.paths, files)) return kExitUsage;
    StderrNotifier notifier;
    auto doc = CreateCliDocument(globals, notifier);
    const int status = doc->OpenFiles(files);
    if (options.json) {
        nlohmann::json out;
        out["files"] = nlohmann::json::array();
        for (const auto& [key, file] : doc->table) out["files"].push_back(FileJson(file, true));
        out["noGainFlag"] = doc->noGainFlag;
        out["testFields"] = doc->testFields;
        out["baseFolder"] = doc->baseFolder;
        out["gainCurves"] = CurvesJson(doc->gainCurves);
        out["envelopes"] = CurvesJson(doc->envelopes);
        out["messages"] = MessagesJson(notifier);
        PrintJson(out);
    } else {
        PrintText(*doc);
    }
    return status == kLoadRefused ? kExitRefused : kExitOk;
}
} // namespace

void AddLoadCommand(CLI::App& app, CliGlobals& globals, CommandAction& run) {
    auto options = std::make_shared<LoadOptions>();
    auto* cmd = app.add_subcommand("load", "Load pattern files and print what was stored");
    cmd->add_flag("--json", options->json, "Print JSON");
    cmd->add_option("paths", options->paths, "Pattern files or folders")->required();
    cmd->callback(
        [&run, &globals, options] { run = [&globals, options] { return RunLoad(globals, *options); }; });
}
