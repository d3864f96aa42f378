#include "reports/ReportScreenshots.h"

#include <QSize>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "app/AtomicFile.h"
#include "app/Log.h"
#include "document/Naming.h"
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
// text (6.67 inches at the 96 pixels per inch the picture is inserted at). A picture that cannot be
// written is recorded with its reason; the reports are not made then.
constexpr int kReportPictureWidth = 640;

// The pictures of one step, staged as they are drawn and put in place together: syncing each
// picture on its own cost a disk round trip per cut, most of a large antenna's picture time.
class PictureBatch {
  public:
    explicit PictureBatch(ReportJob& job) : m_job(job) {}

    bool Capture(const std::string& path) {
        PreparePlotSelection(m_job.doc, m_job.plot);
        const QImage picture = ReportPicture(QSize(m_job.viewSize.width, m_job.viewSize.height),
                                             kReportPictureWidth, m_job.doc, m_job.plot);
        std::string error;
        StagedFile staged;
        if (!StageFile(m_job.state.workingFolder, path, EncodeBmp(picture), staged, error)) {
            m_job.failedPictures.push_back(path + " (" + error + ")");
            return false;
        }
        m_staged.push_back(std::move(staged));
        m_paths.push_back(path);
        return true;
    }

    // The paths that could not be put in place; each is recorded as a failed picture.
    std::set<std::string> Commit() {
        std::set<std::string> failed;
        const std::vector<std::string> errors = CommitStaged(m_staged);
        for (size_t i = 0; i < errors.size(); ++i)
            if (!errors[i].empty()) {
                m_job.failedPictures.push_back(m_paths[i] + " (" + errors[i] + ")");
                failed.insert(m_paths[i]);
            }
        m_staged.clear();
        m_paths.clear();
        return failed;
    }

  private:
    ReportJob& m_job;
    std::vector<StagedFile> m_staged;
    std::vector<std::string> m_paths;
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
        if (batch.Capture(folder + name)) names.push_back(name);
    }
    const std::set<std::string> failed = batch.Commit();
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
    int staged = 0;
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
        if (batch.Capture(folder + set + ".bmp")) ++staged;
    }
    return staged - static_cast<int>(batch.Commit().size());
}
