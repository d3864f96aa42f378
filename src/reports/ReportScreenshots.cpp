#include "reports/ReportScreenshots.h"

#include <QSize>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <utility>

#include "analysis/AnalysisDriver.h"
#include "app/AtomicFile.h"
#include "app/Log.h"
#include "app/Parallel.h"
#include "document/Naming.h"
#include "document/ResultDraft.h"
#include "plot/PlotMarkers.h"
#include "plot/PlotState.h"
#include "render/PlotCapture.h"
#include "render/ReportPicture.h"
#include "reports/ReportJob.h"
#include "reports/ReportTexts.h"

namespace {

std::string BmpName(const std::string& fileName) {
    return std::filesystem::path(fileName).replace_extension(".bmp").string();
}

// A report picture: the plot cropped to what it draws, with its legend, as wide as the report's
// text (6.67 inches at the 96 pixels per inch the picture is inserted at) and at most 4 inches
// high, so two pictures with their captions share a page, the first below the chapter's heading
// too. A picture that cannot be written is recorded with its reason; the reports are not made then.
constexpr int kReportPictureWidth = 640;
constexpr int kReportPictureHeight = 384;

// The pictures of one step. What each shows is settled in order on the calling thread (the analysis
// of its patterns, its markers); the drawing, most of a large antenna's picture time, runs on the
// job's threads, each over its own copy of the document (the renderer reads the selection from it).
// The files are staged as they are drawn and put in place together with one sync.
class PictureBatch {
  public:
    explicit PictureBatch(ReportJob& job) : m_job(job) {}

    // A picture of the document's present selection, to be written at `path`.
    void Add(const std::string& path) {
        // The report's own copy takes the selection's results, as a click in the window would.
        ResultDraft draft;
        AnalyseSelection(std::as_const(m_job.doc), draft);
        m_job.doc.CommitResults(std::move(draft));
        RebuildMarkerList(m_job.doc, m_job.plot.markerSwitches, m_job.plot.markers);
        m_pictures.push_back({path, m_job.doc.selectionList, m_job.plot.markers});
    }

    // Draws and writes every picture added; returns the paths that could not be written, each
    // recorded as a failed picture.
    std::set<std::string> Write() {
        const size_t count = m_pictures.size();
        std::vector<StagedFile> staged(count);
        std::vector<std::string> errors(count);
        const size_t workers = std::clamp<size_t>(static_cast<size_t>(std::max(1, m_job.doc.jobs)), 1, count);
        ParallelFor(workers, static_cast<int>(workers), [&](size_t worker) {
            std::optional<CQuadrelDoc> copy;
            if (workers > 1) copy.emplace(m_job.doc);
            CQuadrelDoc& doc = copy ? *copy : m_job.doc;
            PlotState plot = m_job.plot;
            for (size_t i = worker; i < count; i += workers) {
                doc.selectionList = m_pictures[i].selection;
                plot.markers = m_pictures[i].markers;
                const QImage picture =
                    ReportPicture(QSize(m_job.viewSize.width, m_job.viewSize.height),
                                  QSize(kReportPictureWidth, kReportPictureHeight), doc, plot);
                if (!StageFile(m_job.state.workingFolder, m_pictures[i].path, EncodeBmp(picture), staged[i],
                               errors[i]))
                    staged[i].temp.clear();
            }
        });
        const std::vector<std::string> commitErrors = CommitStaged(staged);
        std::set<std::string> failed;
        for (size_t i = 0; i < count; ++i) {
            const std::string& error = errors[i].empty() ? commitErrors[i] : errors[i];
            if (error.empty()) continue;
            m_job.failedPictures.push_back(m_pictures[i].path + " (" + error + ")");
            failed.insert(m_pictures[i].path);
        }
        m_pictures.clear();
        return failed;
    }

  private:
    struct Picture {
        std::string path;
        std::vector<std::string> selection;
        MarkerList markers;
    };
    ReportJob& m_job;
    std::vector<Picture> m_pictures;
};

std::string FileNameOf(const std::string& path) {
    return SplitFileName(path).second;
}

} // namespace

int TakePatternScreenshots(ReportJob& job) {
    CQuadrelDoc& doc = job.doc;
    const std::string folder = RelBmpsFolder(job.state);
    std::set<std::string> pending;
    for (const auto& [key, file] : doc.table) pending.insert(key);
    PictureBatch batch(job);
    std::vector<std::string> names;
    for (const auto& [key, file] : doc.table) {
        if (!pending.count(key)) continue;
        pending.erase(key);
        const struct {
            bool on;
            std::string name;
            const char* missing;
        } related[] = {
            {doc.toggles.withCoCross, CoCrossPartner(key), kLogMissingCrossPolar},
            {doc.toggles.withPolarisation, PolarisationPartner(key), kLogMissingPolarisation},
            {doc.toggles.withPlane, PlanePartner(key), kLogMissingPlane},
        };
        for (const auto& partner : related)
            if (partner.on && !doc.Find(partner.name))
                Log(partner.missing, file.fileName.c_str(), FileNameOf(partner.name).c_str());
        doc.selectionList.clear();
        std::vector<std::string> added;
        doc.AddToSelection(key, added);
        for (const std::string& shown : doc.selectionList) pending.erase(shown);
        const std::string name = BmpName(file.fileName);
        batch.Add(folder + name);
        names.push_back(name);
    }
    const std::set<std::string> failed = batch.Write();
    int written = 0;
    for (const std::string& name : names)
        if (!failed.count(folder + name)) {
            job.pictures.push_back(name);
            ++written;
        }
    std::sort(job.pictures.begin(), job.pictures.end());
    return written;
}

int TakeSetScreenshots(ReportJob& job) {
    CQuadrelDoc& doc = job.doc;
    const std::string folder = SetBmpsFolder(job.state);
    std::set<std::string> done;
    PictureBatch batch(job);
    int added = 0;
    for (const auto& [key, file] : doc.table) {
        const NameFields& n = file.names;
        const std::string set = n[kFieldPort] + "_" + n[kFieldTilt] + "_" + n[kFieldPlane];
        if (!done.insert(set).second) continue;
        doc.selectionList.clear();
        for (const auto& [otherKey, other] : doc.table) {
            const NameFields& o = other.names;
            if (o[kFieldPort] == n[kFieldPort] && o[kFieldTilt] == n[kFieldTilt] &&
                o[kFieldPlane] == n[kFieldPlane])
                doc.selectionList.push_back(otherKey);
        }
        batch.Add(folder + set + ".bmp");
        ++added;
    }
    return added - static_cast<int>(batch.Write().size());
}
