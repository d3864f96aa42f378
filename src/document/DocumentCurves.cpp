// Gain-level and envelope curves of the document.
#include <filesystem>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "document/CurveFormats.h"
#include "document/Naming.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"

namespace fs = std::filesystem;

namespace {
CurveFile MakeCurve(const std::string& path, std::vector<PatternPoint> points) {
    CurveFile curve;
    curve.path = ToLower(path);
    curve.fileName = ToLower(LastPathComponent(path));
    curve.points = std::move(points);
    return curve;
}

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}
} // namespace

std::string CQuadrelDoc::DeriveGainFolder(const std::string& lastPath) {
    // D:/a/b/test/P1_x.msi: the base folder is D:/a/b/, the gain folder D:/a/b/Gain Level/.
    baseFolder = BaseFolderOf(lastPath);
    return baseFolder + "Gain Level/";
}

void CQuadrelDoc::ReadGainFolder(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (Contains(name, ".txt")) ReadGainFile(it->path().string());
    }
}

void CQuadrelDoc::ReadGainFile(const std::string& path) {
    if (path.empty()) {
        m_notifier->Notify(kTextGainPathEmpty, kCaptionApplication);
        return;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) bytes.clear(); // an unreadable file gives an empty curve
    CurveFile curve = MakeCurve(path, ParseGainCurve(bytes));
    gainCurves[curve.path] = std::move(curve);
    DropTableCache();
}

void CQuadrelDoc::ReadEnvelopeFolder(const std::string& folder) {
    const std::string base = EndsWithSeparator(folder) ? folder : folder + "/";
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_directory(typeError) && !it->is_symlink(typeError)) {
            ReadEnvelopeFolder(base + name + "/"); // links are not followed: a loop must not recurse forever
        } else if (Contains(name, ".txt")) {
            ReadEnvelopeFile(base + name);
        }
    }
}

void CQuadrelDoc::ReadEnvelopeFile(const std::string& path) {
    if (path.empty()) return;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) bytes.clear();
    CurveFile curve = MakeCurve(path, ParseEnvelopeCurve(bytes));
    envelopes[curve.path] = std::move(curve);
}
