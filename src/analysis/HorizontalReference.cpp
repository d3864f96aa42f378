#include "analysis/HorizontalReference.h"

#include <algorithm>

#include "analysis/CircularCut.h"
#include "analysis/Primitives.h"
#include "app/TextUtil.h"

float NominalDirection(const NameFields& names) {
    return static_cast<float>(ParseLeadingDouble(names[kFieldDirection]));
}

std::optional<float> LastLevelAtAngle(const Cut& cut, float angle) {
    std::optional<float> level;
    for (const PatternPoint& p : cut)
        if (p.fAngle == angle) level = p.fMag;
    return level;
}

namespace {
// The mean direction of the maximum of a full-circle cut whose first and last samples both carry it:
// the tied directions straddle the seam, and their plain mean would point the opposite way.
std::optional<float> MeanAcrossTheSeam(const Cut& cut, float level) {
    if (cut.front().fMag != level || cut.back().fMag != level || !IsFullCircle(cut)) return std::nullopt;
    // A cut of one level throughout has no direction of its own; it keeps the plain mean.
    if (std::all_of(cut.begin(), cut.end(), [level](const PatternPoint& p) { return p.fMag == level; }))
        return std::nullopt;
    // The directions of the cut's first half are taken a turn on, past its last sample.
    const double half = static_cast<double>(cut.front().fAngle) + 180.0;
    double sum = 0.0;
    int tied = 0;
    for (const PatternPoint& p : cut)
        if (p.fMag == level) {
            sum += p.fAngle < half ? p.fAngle + 360.0 : p.fAngle;
            ++tied;
        }
    return static_cast<float>(IntoCutSpan(sum / tied, cut));
}
} // namespace

void ComputeHorizontalExtremes(const Cut& cut, IndicatorResult& r) {
    if (cut.empty()) return;
    if (const auto top = MaxInRange(cut, cut.front().fAngle, cut.back().fAngle))
        r.HmaxRaw = PatternPoint{MeanAcrossTheSeam(cut, top->level).value_or(top->angle), top->level};
    r.Hmin = FindMaxMin(cut).min;
}

void ComputeReferencePoint(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names) {
    if (cut.empty()) return;
    ComputeHorizontalExtremes(cut, r);
    const float nominal = NominalDirection(names);
    if (h.RefLevel_mode == 0) {
        r.Hmax.fMag = r.HmaxRaw.fMag;
    } else if (const auto level = LastLevelAtAngle(cut, nominal)) {
        r.Hmax.fMag = *level;
    }
    r.Hmax.fAngle = h.RefAngle_mode == 0 ? r.HmaxRaw.fAngle : nominal;
}

std::optional<float> BackWindowLevels::Max() const {
    if (first && second) return std::max(*first, *second);
    return first ? first : second;
}

BackWindowLevels BackWindowMax(const Cut& cut, double start, double stop) {
    auto piece = [&cut](double bound) -> std::optional<float> {
        const auto m = bound >= 0.0 ? MaxInRange(cut, bound, 180.0) : MaxInRange(cut, -180.0, bound);
        if (!m) return std::nullopt;
        return m->level;
    };
    return BackWindowLevels{piece(start), piece(stop)};
}

double BackWindowCentre(const IndicatorResult& reference, const HPara& h, const NameFields& names) {
    const double direction = h.RefAngle_mode == 0 ? reference.Hmax.fAngle : NominalDirection(names);
    return direction + h.FBR_xdeg;
}

std::optional<std::pair<double, double>> FindBeamEdges(const Cut& cut, IndicatorResult& r,
                                                       const NameFields& names, double x) {
    const auto edges = BeamEdges(cut, r, names, x);
    if (edges.first == 0.0 && edges.second == 0.0) return std::nullopt;
    return edges;
}
