#include <algorithm>
#include <initializer_list>
#include <iostream>

#include "app/TextUtil.h"
#include "cli/CliSupport.h"
#include "cli/JsonStream.h"
#include "cli/TestFolderRuns.h"
#include "commands/AnalyseFilesCommand.h"
#include "conformance/Conformance.h"

namespace {
struct CheckOptions {
    std::string limits;
    bool json = false;
    bool csv = false;
    bool oneBatch = false;
    std::vector<std::string> paths;
};

std::string Fixed(float value) {
    return ConformanceNumber(value, "-");
}

// Columns padded to their widest cell; the first `textColumns` left-aligned, the numbers right-aligned.
void PrintAligned(const std::vector<std::vector<std::string>>& rows, size_t textColumns) {
    std::vector<size_t> widths;
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c) {
            if (widths.size() <= c) widths.push_back(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            if (c > 0) line += "  ";
            line += c < textColumns || c + 1 == row.size() ? row[c] + pad : pad + row[c];
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        std::cout << line << "\n";
    }
}

void PrintText(const DatasheetLimits& limits, const ConformanceResult& result) {
    for (size_t b = 0; b < limits.bands.size(); ++b) {
        const LimitBand& band = limits.bands[b];
        std::cout << "band " << PrintableText(band.name) << " ("
                  << FormatShortestFloat(static_cast<float>(band.from)) << "-"
                  << FormatShortestFloat(static_cast<float>(band.to)) << " MHz)\n";
        std::vector<std::vector<std::string>> rows{{"port", "pol", "tilt", "indicator", "n", "min", "mean",
                                                    "max", "std", "worst", "bound", "margin", "verdict"}};
        for (const ConformanceGroup& g : result.groups)
            if (g.band == b)
                rows.push_back({PrintableText(g.port), PrintableText(g.pol), PrintableText(g.tilt),
                                g.indicator, std::to_string(g.n), Fixed(g.min), Fixed(g.mean), Fixed(g.max),
                                Fixed(g.std), Fixed(g.worst), Fixed(g.bound), Fixed(g.margin),
                                VerdictWord(g.verdict)});
        PrintAligned(rows, 4);
        std::vector<std::vector<std::string>> summary{
            {"indicator", "n", "typical", "±", "min", "max", "verdict"}};
        for (const ConformanceSummary& s : result.summary)
            if (s.band == b)
                summary.push_back({s.indicator, std::to_string(s.n), Fixed(s.typical), Fixed(s.tolerance),
                                   Fixed(s.min), Fixed(s.max), VerdictWord(s.verdict)});
        std::cout << "\n";
        PrintAligned(summary, 1);
        std::cout << "\n";
    }
    std::cout << VerdictLine(result) << "\n";
}

void AppendCsvField(std::string& out, const std::string& text) {
    out += '"';
    out += ReplaceAll(PrintableText(text), "\"", "\"\"");
    out += "\",";
}

void AppendCsvNumber(std::string& out, float value) {
    AppendShortestFloat(out, value);
    out += ',';
}

void PrintCsv(const DatasheetLimits& limits, const ConformanceResult& result) {
    std::string out = "band,port,pol,tilt,indicator,n,min,mean,max,std,worst,bound,margin,verdict\n";
    for (const ConformanceGroup& g : result.groups) {
        AppendCsvField(out, limits.bands[g.band].name);
        AppendCsvField(out, g.port);
        AppendCsvField(out, g.pol);
        AppendCsvField(out, g.tilt);
        out += g.indicator + "," + std::to_string(g.n) + ",";
        for (float value : {g.min, g.mean, g.max, g.std, g.worst, g.bound, g.margin})
            AppendCsvNumber(out, value);
        out += VerdictWord(g.verdict);
        out += '\n';
    }
    std::cout << out;
}

// The tail that a group and a summary row share: the count, the statistics, the verdict; the
// object is closed.
void WriteStatistics(JsonStream& out, int n, std::initializer_list<std::pair<const char*, float>> numbers,
                     Verdict verdict) {
    out.Key("n");
    out.Value(n);
    for (const auto& [name, value] : numbers) {
        out.Key(name);
        out.Float(value);
    }
    out.Key("verdict");
    out.Value(VerdictWord(verdict));
    out.EndObject();
}

void PrintJson(const DatasheetLimits& limits, const ConformanceResult& result,
               const StderrNotifier& notifier) {
    JsonStream out(std::cout);
    out.BeginObject();
    out.Key("limits");
    out.Value(limits.path);
    out.Key("groups");
    out.BeginArray();
    for (const ConformanceGroup& g : result.groups) {
        out.BeginObject();
        out.Key("band");
        out.Value(limits.bands[g.band].name);
        out.Key("port");
        out.Value(g.port);
        out.Key("pol");
        out.Value(g.pol);
        out.Key("tilt");
        out.Value(g.tilt);
        out.Key("indicator");
        out.Value(g.indicator);
        WriteStatistics(out, g.n,
                        {{"min", g.min},
                         {"mean", g.mean},
                         {"max", g.max},
                         {"std", g.std},
                         {"worst", g.worst},
                         {"bound", g.bound},
                         {"margin", g.margin}},
                        g.verdict);
    }
    out.EndArray();
    out.Key("summary");
    out.BeginArray();
    for (const ConformanceSummary& s : result.summary) {
        out.BeginObject();
        out.Key("band");
        out.Value(limits.bands[s.band].name);
        out.Key("indicator");
        out.Value(s.indicator);
        WriteStatistics(out, s.n,
                        {{"typical", s.typical}, {"tolerance", s.tolerance}, {"min", s.min}, {"max", s.max}},
                        s.verdict);
    }
    out.EndArray();
    out.Key("verdict");
    out.Value(VerdictWord(result.verdict));
    EndRunJson(out, notifier);
}

int RunCheck(const CliGlobals& globals, const CheckOptions& options) {
    const auto limits = LoadLimitsForCli(options.limits);
    if (!limits) return kExitUsage;
    StderrNotifier notifier;
    const PatternRun run = StartPatternRun(globals, options.paths, notifier);
    if (!run.session) return run.input.status;
    // The check needs of each cut only the values its limits read: each test folder's cuts go with it.
    // The folders come in table order, so their cuts, one after another, are in the batch's order.
    std::vector<CheckedCut> checked;
    checked.reserve(run.input.files.size());
    const int loaded =
        LoadByTestFolder(*run.session, run.input.files, options.oneBatch, [&](Session& folder, int) {
            AnalyseFilesCommand(folder);
            for (const auto& [key, file] : folder.Doc().table) checked.push_back(CheckedCutOf(file, *limits));
        });
    const int status = WorstExit(loaded, run.input.status);
    const ConformanceResult result = CheckConformance(checked, *limits, false);
    for (const std::string& warning : result.warnings) notifier.Warning(options.limits, warning);
    if (options.json)
        PrintJson(*limits, result, notifier);
    else if (options.csv)
        PrintCsv(*limits, result);
    else
        PrintText(*limits, result);
    if (status != kExitOk) return status;
    return result.verdict == Verdict::Pass ? kExitOk : kExitCheckFailed;
}
} // namespace

void AddCheckCommand(CLI::App& app, CliGlobals& globals, CommandAction& run) {
    auto options = std::make_shared<CheckOptions>();
    auto* cmd = app.add_subcommand("check", "Check every indicator against datasheet limits");
    cmd->add_option("--limits", options->limits, "Datasheet limits (TOML)")->required();
    auto* json = cmd->add_flag("--json", options->json, "Print JSON");
    cmd->add_flag("--csv", options->csv, "Print CSV")->excludes(json);
    cmd->add_flag("--one-batch", options->oneBatch,
                  "Load every file as one batch, even over many test folders (every cut is held at once)");
    cmd->add_option("paths", options->paths, "Pattern files or folders")->required();
    cmd->callback(
        [&run, &globals, options] { run = [&globals, options] { return RunCheck(globals, *options); }; });
}
