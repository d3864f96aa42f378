#include "plot/PlotMarkers.h"

#include <cmath>

#include "analysis/Primitives.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

namespace {
bool IsVertical(const PatternFile& file) {
    return ToLower(file.names[kFieldPlane]) == "e";
}

void Insert(const CQuadrelDoc& doc, MarkerKind kind, MarkerList& list) {
    if (const PatternFile* file = FirstSelectedPattern(doc))
        list.points[MarkerName(kind)] = MarkerPoint(*file, kind);
}

// The condition under which the vertical co-polar analysis turns the cut by 180 degrees.
bool AnalysedTurned(const PatternFile& file) {
    if (!IsVertical(file) || ToLower(file.names[kFieldComponent]) != "co" || file.samples.empty())
        return false;
    const float peak = FindMaxMin(file.samples).max.fAngle;
    return (ToLower(file.names[kFieldPolarisation]) == "v90" && peak >= 160.0f && peak <= 180.0f) ||
           (peak >= -180.0f && peak <= -160.0f);
}
} // namespace

const char* MarkerName(MarkerKind kind) {
    switch (kind) {
    case MarkerKind::Max:
        return "Max";
    case MarkerKind::Min:
        return "Min";
    case MarkerKind::SsMax:
        return "SS MAX";
    case MarkerKind::Fsu:
        return "FSU";
    }
    return "";
}

const PatternFile* FirstSelectedPattern(const CQuadrelDoc& doc) {
    for (const std::string& path : doc.selectionList)
        if (const PatternFile* file = doc.Find(path)) return file;
    return nullptr;
}

PatternPoint MarkerPoint(const PatternFile& file, MarkerKind kind) {
    const IndicatorResult& r = file.results;
    switch (kind) {
    case MarkerKind::Max:
        return IsVertical(file) ? r.Vmax : r.HmaxRaw;
    case MarkerKind::Min:
        return IsVertical(file) ? r.Vmin : r.Hmin;
    case MarkerKind::SsMax:
        return r.SSmaxAbs;
    case MarkerKind::Fsu:
        return r.FSUlobe;
    }
    return {};
}

void RebuildMarkerList(const CQuadrelDoc& doc, const MarkerSwitches& switches, MarkerList& list) {
    list.points.clear();
    list.dirty = true;
    if (!FirstSelectedPattern(doc)) return;
    if (switches.max) Insert(doc, MarkerKind::Max, list);
    if (switches.min) Insert(doc, MarkerKind::Min, list);
    if (switches.ssMax) Insert(doc, MarkerKind::SsMax, list);
    if (switches.fsu) Insert(doc, MarkerKind::Fsu, list);
}

void ToggleMarker(const CQuadrelDoc& doc, MarkerKind kind, MarkerSwitches& switches, MarkerList& list) {
    Insert(doc, kind, list);
    switch (kind) {
    case MarkerKind::Max:
        switches.max = !switches.max;
        if (switches.max) switches.clearMarks = false;
        break;
    case MarkerKind::Min:
        switches.min = !switches.min;
        break;
    case MarkerKind::SsMax:
        switches.ssMax = !switches.ssMax;
        break;
    case MarkerKind::Fsu:
        switches.fsu = !switches.fsu;
        break;
    }
}

void ClearMarks(MarkerSwitches& switches, MarkerList& list) {
    list.points.clear();
    list.dirty = true;
    switches.clearMarks = !switches.clearMarks;
    if (switches.clearMarks) switches.max = switches.min = switches.fsu = switches.ssMax = false;
}

PatternPoint DisplayedMarkerPoint(const PatternFile& file, const std::string& name, PatternPoint point) {
    if (name == "SS MAX" || point.fAngle == NOT_SET || !AnalysedTurned(file)) return point;
    double angle = point.fAngle - 180.0;
    if (angle <= -180.0) angle += 360.0;
    point.fAngle = static_cast<float>(angle);
    return point;
}
