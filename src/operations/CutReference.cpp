#include "operations/CutReference.h"

#include <algorithm>

#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"

namespace {

constexpr const char* kTextPartnerMissing = "没有找到与之关联的主极化方向图，旋转将有偏差。";

enum class Plane { Vertical, Horizontal, Other };

Plane PlaneOf(const PatternFile& file) {
    const std::string plane = ToLower(file.names[kFieldPlane]);
    if (plane == "e") return Plane::Vertical;
    if (plane == "h") return Plane::Horizontal;
    return Plane::Other;
}

} // namespace

const PatternFile* FollowedCut(const CQuadrelDoc& doc, const PatternFile& file) {
    const std::string component = ToLower(file.names[kFieldComponent]);
    if (component == "co") return &file;
    if (component != "cr") return nullptr;
    const PatternFile* partner = doc.Find(CoCrossPartner(file.path));
    if (!partner) doc.GetNotifier().Notify(kTextPartnerMissing, kCaptionApplication);
    return partner;
}

double ReferenceDirection(const PatternFile& file) {
    switch (PlaneOf(file)) {
    case Plane::Vertical:
        return file.results.Vmax.fAngle;
    case Plane::Horizontal:
        return file.results.Hmax.fAngle;
    default:
        return 0.0;
    }
}

double NominalDirection(const PatternFile& file) {
    switch (PlaneOf(file)) {
    case Plane::Vertical:
        return ParseLeadingDouble(file.names[kFieldTilt]);
    case Plane::Horizontal:
        return ParseLeadingDouble(file.names[kFieldDirection]);
    default:
        return 0.0;
    }
}

double ReferenceLevel(const PatternFile& file) {
    switch (PlaneOf(file)) {
    case Plane::Vertical:
        return file.results.Vmax.fMag;
    case Plane::Horizontal:
        return file.results.Hmax.fMag;
    default:
        return 0.0;
    }
}

std::vector<const PatternFile*> SelectedFiles(const CQuadrelDoc& doc) {
    std::vector<const PatternFile*> files;
    for (const std::string& path : doc.selectionList) {
        const PatternFile* file = doc.Find(path);
        // A cut listed twice is still moved once.
        if (file && std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    }
    return files;
}
