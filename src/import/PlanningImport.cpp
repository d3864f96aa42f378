#include "import/PlanningImport.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>

#include "app/AtomicFile.h"
#include "app/Notifier.h"
#include "app/TextUtil.h"
#include "document/PatternPoint.h"
#include "document/PatternText.h"

namespace fs = std::filesystem;

namespace {
// The measurement reader skips the line after the 360th sample.
constexpr size_t kFirstSection = 360;
constexpr int kMostPorts = 99;

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &local);
    return text;
}

struct Planned {
    std::string source;
    PlanningPattern pattern;
    ImportNaming naming;
    std::string folder;
    std::string stemH, stemE; // cut names without extension
};

std::string CutStem(int port, const ImportNaming& n, char plane) {
    return "p" + std::to_string(port) + "_" + ToLower(n.polarisation) + "_" + plane + "_co_" + n.tilt +
           "_0_" + n.frequency;
}

// +45 ports are odd and -45 ports even, so the polarisation partner of port 1 is port 2; a
// polarisation without a partner takes odd ports.
int FirstPort(const std::string& polarisation) {
    return polarisation == "M45" ? 2 : 1;
}
} // namespace

std::string MeasurementCutText(const std::string& name, const ImportNaming& naming, float gainDbi,
                               const std::string& comment, bool horizontal, const PlanningCut& cut) {
    std::string text;
    text.reserve(256 + cut.points.size() * 16);
    auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    line("NAME " + naming.model + " " + name);
    line("FREQUENCY " + naming.frequency);
    // A gain line in dBi keeps the header's gain; without one the reader takes a count line.
    line(gainDbi != NOT_SET ? "GAIN " + FormatShortestFloat(gainDbi) + " dBi"
                            : std::to_string(cut.points.size()));
    line("TILT ELECTRICAL " + naming.tilt);
    line("COMMENT " + comment);
    line(horizontal ? "HORIZONTAL 360" : "VERTICAL 360");
    for (size_t i = 0; i < cut.points.size(); ++i) {
        if (i == kFirstSection) line("CONTINUED");
        line(FormatShortestFloat(cut.points[i].fAngle) + " " + FormatShortestFloat(cut.points[i].fMag));
    }
    return text;
}

ImportOutcome ImportPlanningFiles(const std::vector<std::string>& paths, const ImportOptions& options,
                                  Notifier& notifier) {
    ImportOutcome outcome;
    std::vector<Planned> planned;
    for (const std::string& path : paths) {
        std::string bytes;
        if (ReadRegularFile(path, bytes) != ReadResult::Ok) {
            outcome.refused.push_back({path, 0, "cannot be read"});
            continue;
        }
        Planned p;
        p.source = path;
        PlanningError error;
        if (!ParsePlanningText(bytes, p.pattern, error)) {
            outcome.refused.push_back({path, error.line, error.text});
            continue;
        }
        for (const std::string& warning : p.pattern.warnings) notifier.Warning(path, warning);
        p.naming = NamingOf(p.pattern, path, options);
        planned.push_back(std::move(p));
    }
    if (!outcome.refused.empty()) return outcome;

    // One test folder per model; the first file of a model names its make.
    const std::string date = options.date.empty() ? Today() : options.date;
    const std::string serial = NameToken(options.serial, "SN1");
    std::map<std::string, std::string> folderOfModel;
    std::set<std::string> taken; // folder/stem of every cut of this run
    std::map<std::string, std::string> takenBy;
    for (Planned& p : planned) {
        auto [it, added] = folderOfModel.try_emplace(p.naming.model);
        if (added)
            it->second = (fs::path(options.outFolder) /
                          ("Import_" + p.naming.make + "_" + p.naming.model + "_" + date + "_B01_" + serial))
                             .string();
        p.folder = it->second;
        int port = options.port > 0 ? options.port : FirstPort(p.naming.polarisation);
        for (;; port += 2) {
            p.stemH = CutStem(port, p.naming, 'h');
            p.stemE = CutStem(port, p.naming, 'e');
            const bool free = !taken.count(p.folder + "/" + p.stemH);
            if (free || options.port > 0 || port + 2 > kMostPorts) break;
        }
        const std::string key = p.folder + "/" + p.stemH;
        if (taken.count(key)) {
            outcome.failed.push_back({p.source, 0,
                                      "gives the same cut names as " + takenBy[key] +
                                          " (port, polarisation, tilt and frequency agree); import them "
                                          "with different --port or --model"});
            continue;
        }
        taken.insert(key);
        takenBy[key] = p.source;
        for (const std::string& stem : {p.stemH, p.stemE}) {
            std::error_code ec;
            const std::string cut = p.folder + "/" + stem + ".msi";
            if (fs::exists(cut, ec))
                outcome.failed.push_back({p.source, 0, cut + " exists already; nothing is overwritten"});
        }
    }
    if (!outcome.failed.empty()) return outcome;

    for (const Planned& p : planned) {
        std::error_code ec;
        fs::create_directories(p.folder, ec);
        ImportedFile done{p.source, p.folder, p.folder + "/" + p.stemH + ".msi",
                          p.folder + "/" + p.stemE + ".msi",
                          p.pattern.hasGain ? StoredFloat(p.pattern.gainDbi) : NOT_SET};
        std::string comment = "imported from " + LastPathComponent(p.source);
        if (!p.pattern.comment.empty()) comment += ": " + p.pattern.comment;
        errno = 0;
        const bool written =
            WriteFileAtomic(done.horizontalCut, MeasurementCutText(p.stemH, p.naming, done.gainDbi, comment,
                                                                   true, p.pattern.horizontal)) &&
            WriteFileAtomic(done.verticalCut, MeasurementCutText(p.stemE, p.naming, done.gainDbi, comment,
                                                                 false, p.pattern.vertical));
        if (!written) {
            const int cause = errno ? errno : EIO;
            outcome.failed.push_back(
                {p.source, 0, "cannot write into " + p.folder + ": " + ErrorText(cause)});
            continue;
        }
        outcome.files.push_back(std::move(done));
    }
    return outcome;
}
