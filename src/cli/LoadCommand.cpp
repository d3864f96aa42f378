#include <iostream>

#include "app/TextUtil.h"
#include "cli/CliSupport.h"
#include "cli/JsonStream.h"

namespace {
struct LoadOptions {
    bool json = false;
    std::vector<std::string> paths;
};

nlohmann::json FileJson(const PatternFile& file) {
    return {
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
        {"warnings", file.warnings},
    };
}

// [[angle, level], ...] written point by point: a file may hold millions of them.
void StreamPoints(JsonStream& out, const std::vector<PatternPoint>& points) {
    out.BeginArray();
    for (const PatternPoint& p : points) {
        out.BeginArray();
        out.Float(p.fAngle);
        out.Float(p.fMag);
        out.EndArray();
    }
    out.EndArray();
}

void StreamCurves(JsonStream& out, const std::map<std::string, CurveFile>& curves) {
    out.BeginArray();
    for (const auto& [key, curve] : curves) {
        const nlohmann::json members = {{"path", curve.path}, {"fileName", curve.fileName}};
        StreamObject(out, members, "points", [&] { StreamPoints(out, curve.points); });
    }
    out.EndArray();
}

void PrintJsonDocument(const CQuadrelDoc& doc, const StderrNotifier& notifier) {
    JsonStream out(std::cout);
    out.BeginObject(); // members in sorted order, as the tree writer orders them
    out.Key("baseFolder");
    out.Value(doc.baseFolder);
    out.Key("envelopes");
    StreamCurves(out, doc.envelopes);
    out.Key("files");
    out.BeginArray();
    for (const auto& [key, file] : doc.table)
        StreamObject(out, FileJson(file), "samples", [&] { StreamPoints(out, file.samples); });
    out.EndArray();
    out.Key("gainCurves");
    StreamCurves(out, doc.gainCurves);
    out.Key("messages");
    out.Value(MessagesJson(notifier));
    out.Key("noGainFlag");
    out.Value(doc.noGainFlag);
    out.Key("testFields");
    out.Value(doc.testFields);
    EndRunJson(out, notifier);
}

void PrintText(const CQuadrelDoc& doc) {
    for (const auto& [key, file] : doc.table) {
        std::cout << "file " << PrintableText(file.key) << "\n";
        std::cout << "  path " << PrintableText(file.path) << "\n  fileName " << PrintableText(file.fileName)
                  << "\n  NameFields";
        for (const std::string& field : file.names) std::cout << " [" << PrintableText(field) << "]";
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
    StderrNotifier notifier;
    PatternRun run = StartPatternRun(globals, options.paths, notifier);
    if (!run.session) return run.input.status;
    const int status = OpenRunFiles(run);
    if (options.json)
        PrintJsonDocument(run.session->Doc(), notifier);
    else
        PrintText(run.session->Doc());
    return status;
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
