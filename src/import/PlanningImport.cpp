#include "import/PlanningImport.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>

#include "app/AtomicFile.h"
#include "app/Notifier.h"
#include "app/TextUtil.h"
#include "document/PatternPoint.h"
#include "document/PatternText.h"
#include "import/AntennaFolder.h"

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
    std::string folder;       // the antenna folder's name below the output folder
    std::string stemH, stemE; // cut names without extension
};

std::string FolderPath(const ImportOptions& options, const Planned& p) {
    return (fs::path(options.outFolder) / p.folder).string();
}

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
    // Texts from names and headers may hold control characters; none may start a line of its own.
    line("NAME " + PrintableText(naming.model + " " + name));
    line("FREQUENCY " + naming.frequency);
    // A gain line in dBi keeps the header's gain; without one the reader takes a count line.
    line(gainDbi != NOT_SET ? "GAIN " + FormatShortestFloat(gainDbi) + " dBi"
                            : std::to_string(cut.points.size()));
    line("TILT ELECTRICAL " + naming.tilt);
    line("COMMENT " + PrintableText(comment));
    line(horizontal ? "HORIZONTAL 360" : "VERTICAL 360");
    for (size_t i = 0; i < cut.points.size(); ++i) {
        if (i == kFirstSection) line("CONTINUED");
        line(FormatShortestFloat(cut.points[i].fAngle) + " " + FormatShortestFloat(cut.points[i].fMag));
    }
    return text;
}

namespace {
// One file, whatever path names it: the device and inode of what the path leads to.
std::string FileIdentity(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return path;
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}
} // namespace

namespace {
// Tells the caller a file is done however its turn in the loop ends.
struct ReadDone {
    const std::function<void()>& fileRead;
    ~ReadDone() {
        if (fileRead) fileRead();
    }
};
} // namespace

ImportOutcome ImportPlanningFiles(const std::vector<std::string>& paths, const ImportOptions& options,
                                  Notifier& notifier) {
    ImportOutcome outcome;
    std::vector<Planned> planned;
    std::map<std::string, std::string> pathOfFile;
    for (const std::string& path : paths) {
        const ReadDone told{options.fileRead};
        auto [seen, fresh] = pathOfFile.try_emplace(FileIdentity(path), path);
        if (!fresh) {
            notifier.Warning(path,
                             (seen->second == path ? std::string("is given twice")
                                                   : "is the same file as " + PrintableText(seen->second)) +
                                 "; it is imported once");
            continue;
        }
        std::string bytes;
        if (ReadRegularFile(path, bytes) != ReadResult::Ok) {
            outcome.refused.push_back({FailureKind::Unreadable, path, 0, "cannot be read"});
            continue;
        }
        Planned p;
        p.source = path;
        PlanningError error;
        if (!ParsePlanningText(bytes, p.pattern, error)) {
            error.path = path;
            outcome.refused.push_back(std::move(error));
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
            it->second = "Import_" + p.naming.make + "_" + p.naming.model + "_" + date + "_B01_" + serial;
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
            outcome.failed.push_back({FailureKind::WriteFailed, p.source, 0,
                                      "gives the same cut names as " + takenBy[key] +
                                          " (port, polarisation, tilt and frequency agree); import them "
                                          "with different --port or --model"});
            continue;
        }
        taken.insert(key);
        takenBy[key] = p.source;
        for (const std::string& stem : {p.stemH, p.stemE}) {
            std::error_code ec;
            const std::string cut = FolderPath(options, p) + "/" + stem + ".msi";
            // A link at the name counts, even one that leads nowhere.
            if (fs::symlink_status(cut, ec).type() != fs::file_type::not_found)
                outcome.failed.push_back(
                    {FailureKind::WriteFailed, p.source, 0, cut + " exists already; nothing is overwritten"});
        }
    }
    if (!outcome.failed.empty()) return outcome;

    // Each antenna folder is placed whole: another import racing for the same names finds them
    // taken at the move, and this one fails without leaving any of its cuts.
    std::map<std::string, std::vector<const Planned*>> byFolder;
    for (const Planned& p : planned) byFolder[p.folder].push_back(&p);
    for (const auto& [folder, members] : byFolder) {
        std::vector<CutToPlace> cuts;
        std::vector<ImportedFile> done;
        for (const Planned* p : members) {
            const std::string path = FolderPath(options, *p);
            ImportedFile file{p->source, path, path + "/" + p->stemH + ".msi", path + "/" + p->stemE + ".msi",
                              p->pattern.hasGain ? StoredFloat(p->pattern.gainDbi) : NOT_SET};
            std::string comment = "imported from " + LastPathComponent(p->source);
            if (!p->pattern.comment.empty()) comment += ": " + p->pattern.comment;
            cuts.push_back({p->stemH + ".msi", MeasurementCutText(p->stemH, p->naming, file.gainDbi, comment,
                                                                  true, p->pattern.horizontal)});
            cuts.push_back({p->stemE + ".msi", MeasurementCutText(p->stemE, p->naming, file.gainDbi, comment,
                                                                  false, p->pattern.vertical)});
            done.push_back(std::move(file));
        }
        const std::string problem = PlaceAntennaFolder(options.outFolder, folder, cuts);
        if (!problem.empty()) {
            for (const Planned* p : members)
                outcome.failed.push_back({FailureKind::WriteFailed, p->source, 0, problem});
            continue;
        }
        for (ImportedFile& file : done) outcome.files.push_back(std::move(file));
    }
    // The files in the order they were given.
    std::map<std::string, size_t> order;
    for (size_t i = 0; i < planned.size(); ++i) order.emplace(planned[i].source, i);
    std::stable_sort(
        outcome.files.begin(), outcome.files.end(),
        [&order](const ImportedFile& a, const ImportedFile& b) { return order[a.source] < order[b.source]; });
    return outcome;
}
