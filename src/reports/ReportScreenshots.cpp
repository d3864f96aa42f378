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

bool Capture(ReportJob& job, const std::string& path) {
    AnalyseSelection(job.doc);
    RebuildMarkerList(job.doc, job.plot.markerSwitches, job.plot.markers);
    const QImage picture =
        ReportPicture(QSize(job.viewSize.width, job.viewSize.height), kReportPictureWidth, job.doc, job.plot);
    std::string error;
    if (WriteOutputAtomic(job.state.workingFolder, path, EncodeBmp(picture), error)) return true;
    job.failedPictures.push_back(path + " (" + error + ")");
    return false;
}

std::string FileNameOf(const std::string& path) {
    return SplitFileName(path).second;
}

} // namespace

int TakePatternScreenshots(ReportJob& job) {
    CQuadrelDoc& doc = job.doc;
    const std::string folder = RelBmpsFolder(job.state);
    std::set<std::string> pending;
    for (const auto& [key, file] : doc.table) pending.insert(key);
    int written = 0;
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
        if (Capture(job, folder + name)) {
            job.pictures.push_back(name);
            ++written;
        }
    }
    std::sort(job.pictures.begin(), job.pictures.end());
    return written;
}

int TakeSetScreenshots(ReportJob& job) {
    CQuadrelDoc& doc = job.doc;
    const std::string folder = SetBmpsFolder(job.state);
    std::set<std::string> done;
    int written = 0;
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
        if (Capture(job, folder + set + ".bmp")) ++written;
    }
    return written;
}
