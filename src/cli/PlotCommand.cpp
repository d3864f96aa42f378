#include "cli/Commands.h"

#ifdef QUADREL_HAVE_RENDER
#include <QGuiApplication>
#include <algorithm>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "cli/CliSupport.h"
#include "commands/FileCommands.h"
#include "commands/PlotSelectionCommand.h"
#include "render/OffscreenApp.h"
#include "render/PlotCapture.h"
#include "render/PlotRenderer.h"

namespace {
struct PlotOptions {
    bool polar = false;
    bool cartesian = false;
    bool relative = false;
    bool reference3dB = false;
    bool envelope = false;
    bool spr = false;
    std::string size = "1000x800";
    std::string markers;
    std::string out;
    std::vector<std::string> selects;
    std::vector<std::string> paths;
};

bool ParseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
    const std::string w = text.substr(0, x), h = text.substr(x + 1);
    auto digits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(w) || !digits(h)) return false;
    width = ParseLeadingInt(w);
    height = ParseLeadingInt(h);
    return width > 0 && height > 0 && width <= 16384 && height <= 16384;
}

// "max,min,fsu,ssmax" switches markers on; false for an unknown name.
bool ParseMarkers(const std::string& text, MarkerSwitches& switches) {
    if (text.empty()) return true;
    for (const std::string& raw : SplitAll(text, ',')) {
        const std::string name = ToLower(raw);
        if (name == "max")
            switches.max = true;
        else if (name == "min")
            switches.min = true;
        else if (name == "fsu")
            switches.fsu = true;
        else if (name == "ssmax" || name == "ss max")
            switches.ssMax = true;
        else
            return false;
    }
    if (switches.max || switches.min || switches.fsu || switches.ssMax) switches.clearMarks = false;
    return true;
}

int RunPlot(const CliGlobals& globals, const PlotOptions& options) {
    int width = 0, height = 0;
    if (!ParseSize(options.size, width, height)) {
        std::cerr << "quadrel-cli: --size must be WIDTHxHEIGHT with whole numbers from 1 to 16384\n";
        return kExitUsage;
    }
    const std::string extension =
        ToLower(options.out.size() >= 4 ? options.out.substr(options.out.size() - 4) : "");
    if (extension != ".png" && extension != ".bmp") {
        std::cerr << "quadrel-cli: --out must name a .png or .bmp file\n";
        return kExitUsage;
    }
    StderrNotifier notifier;
    PatternRun run = StartPatternRun(globals, options.paths, notifier);
    if (!run.session) return run.input.status;
    const int status = OpenRunFiles(run);
    Session* session = run.session.get();
    const CQuadrelDoc* doc = session->doc.get();

    PlotState& state = session->plot;
    if (!ParseMarkers(options.markers, state.markerSwitches)) {
        std::cerr << "quadrel-cli: --markers takes a comma-separated list of max, min, fsu, ssmax\n";
        return kExitUsage;
    }
    if (options.polar) state.settings.coordinateSystem = kPolarSystem;
    if (options.cartesian) state.settings.coordinateSystem = kCartesianSystem;
    if (options.relative) state.settings.relativeDisplay = 1;
    if (options.reference3dB) state.settings.reference3dB = 1;
    if (options.envelope) state.settings.envelopeDisplay = 1;
    if (options.spr) state.settings.sprDisplay = 1;

    std::vector<std::string> keys;
    if (options.selects.empty()) {
        for (const auto& [key, file] : doc->table) keys.push_back(key);
    } else {
        for (const std::string& select : options.selects) {
            keys.push_back(LoadedKey(*doc, select));
            if (keys.back().empty()) {
                std::cerr << "quadrel-cli: not a loaded pattern file: " << PrintableText(select) << "\n";
                return kExitUsage;
            }
        }
    }
    SelectForPlotCommand(*session, keys);

    auto app = EnsureGuiApplication();
    const QImage image = RenderPlotImage(QSize(width, height), *doc, state, &notifier);
    for (const std::string& text : notifier.statuses) std::cerr << text << "\n";
    const std::string bytes = extension == ".png" ? EncodePng(image) : EncodeBmp(image);
    if (bytes.empty() || !WriteFileAtomic(options.out, bytes)) {
        std::cerr << "quadrel-cli: cannot write " << PrintableText(options.out) << "\n";
        return kExitFailure;
    }
    return status;
}
} // namespace

void AddPlotCommand(CLI::App& app, CliGlobals& globals, CommandAction& run) {
    auto options = std::make_shared<PlotOptions>();
    auto* cmd = app.add_subcommand("plot", "Render the selection as the view draws it");
    auto* polar = cmd->add_flag("--polar", options->polar, "Polar coordinates");
    cmd->add_flag("--cartesian", options->cartesian, "Cartesian coordinates")->excludes(polar);
    cmd->add_option("--size", options->size, "Client area in pixels, WIDTHxHEIGHT (default 1000x800)");
    cmd->add_flag("--relative", options->relative, "Relative display: each cut against its co-polar maximum");
    cmd->add_flag("--ref3db", options->reference3dB, "Draw the 3 dB reference line");
    cmd->add_flag("--envelope", options->envelope, "Draw the envelope curves");
    cmd->add_flag("--spr", options->spr, "Draw the SPR sector of horizontal co-polar cuts");
    cmd->add_option("--markers", options->markers, "Markers to show: max,min,fsu,ssmax");
    cmd->add_option("--select", options->selects, "Files to select (default: every loaded file)");
    cmd->add_option("--out", options->out, "Output image, .png or .bmp")->required();
    cmd->add_option("paths", options->paths, "Pattern files or folders")->required();
    cmd->callback(
        [&run, &globals, options] { run = [&globals, options] { return RunPlot(globals, *options); }; });
}
#else
void AddPlotCommand(CLI::App& app, CliGlobals&, CommandAction& run) {
    auto* cmd = app.add_subcommand("plot", "Render the selection as the view draws it");
    cmd->allow_extras();
    cmd->callback([&run] {
        run = [] {
            std::cerr << "plot: this build has no render library (configure with QUADREL_BUILD_GUI=ON)\n";
            return kExitFailure;
        };
    });
}
#endif
