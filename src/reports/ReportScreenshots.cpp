#include "reports/ReportScreenshots.h"

#include <QSize>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "analysis/AnalysisDriver.h"
#include "app/AtomicFile.h"
#include "app/Log.h"
#include "document/Naming.h"
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

// The pictures of one run are staged and put in place together: a sync of the disk per picture
// would cost more than drawing it.
class PictureBatch {
  public:
    explicit PictureBatch(ReportJob& job) : m_job(job) {}

    // Draws the job's current selection into `path`; `name` is listed in the job's pictures once
    // the picture is in place (empty: not listed).
    void Capture(const std::string& path, const std::string& name) {
        AnalyseSelection(m_job.doc);
        RebuildMarkerList(m_job.doc, m_job.plot.markerSwitches, m_job.plot.markers);
        const QImage picture =
            ReportPicture(QSize(m_job.viewSize.width, m_job.viewSize.height),
                          QSize(kReportPictureWidth, kReportPictureHeight), m_job.doc, m_job.plot);
        StagedFile staged;
        std::string error;
        if (!StageFile(m_job.state.workingFolder, path, EncodeBmp(picture), staged, error)) {
            m_job.failedPictures.push_back(path + " (" + error + ")");
            return;
        }
        m_staged.push_back(staged);
        m_paths.push_back(path);
        m_names.push_back(name);
    }

    // Puts the staged pictures in place; returns how many are.
    int Commit() {
        const std::vector<std::string> errors = CommitStaged(m_staged);
        int written = 0;
        for (size_t i = 0; i < errors.size(); ++i) {
            if (!errors[i].empty()) {
                m_job.failedPictures.push_back(m_paths[i] + " (" + errors[i] + ")");
                continue;
            }
            if (!m_names[i].empty()) m_job.pictures.push_back(m_names[i]);
            ++written;
        }
        m_staged.clear();
        m_paths.clear();
        m_names.clear();
        return written;
    }

  private:
    ReportJob& m_job;
    std::vector<StagedFile> m_staged;
    std::vector<std::string> m_paths;
    std::vector<std::string> m_names;
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
        batch.Capture(folder + name, name);
    }
    const int written = batch.Commit();
    std::sort(job.pictures.begin(), job.pictures.end());
    return written;
}

int TakeSetScreenshots(ReportJob& job) {
    CQuadrelDoc& doc = job.doc;
    const std::string folder = SetBmpsFolder(job.state);
    std::set<std::string> done;
    PictureBatch batch(job);
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
        batch.Capture(folder + set + ".bmp", "");
    }
    return batch.Commit();
}
