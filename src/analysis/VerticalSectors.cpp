#include "analysis/VerticalSectors.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/GainCurves.h"
#include "analysis/Primitives.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

namespace {
constexpr double kSlopeBreak = 0.04;    // dB change between neighbouring steps that marks a corner
constexpr double kMinSectorWidth = 5.0; // degrees
constexpr size_t kStoredSectors = 10;
} // namespace

SectorRows SectorsFromEnvelope(const CurveFile& envelope) {
    const std::vector<PatternPoint>& points = envelope.points;
    std::vector<double> breaks;
    for (size_t k = 1; k + 1 < points.size(); ++k) {
        const double before = static_cast<double>(points[k].fMag) - points[k - 1].fMag;
        const double after = static_cast<double>(points[k + 1].fMag) - points[k].fMag;
        if (std::fabs(after - before) > kSlopeBreak || (before == 0.0 && after > 0.0))
            breaks.push_back(points[k].fAngle);
    }
    std::sort(breaks.begin(), breaks.end());
    SectorRows rows;
    for (size_t i = 0; i + 1 < breaks.size(); ++i)
        if (breaks[i + 1] - breaks[i] > kMinSectorWidth)
            rows.emplace_back(FormatFixed(breaks[i], 2), FormatFixed(breaks[i + 1], 2));
    return rows;
}

const CurveFile* FindVerticalEnvelope(const CQuadrelDoc& doc, const PatternFile& file) {
    const int frequency = PatternFrequency(file);
    for (const auto& [key, curve] : doc.envelopes)
        if (Contains(curve.fileName, "v-plane.txt") && NameRangeContains(curve.fileName, frequency))
            return &curve;
    return nullptr;
}

namespace {

// The strongest level of a sector given as offsets from the peak. Bounds that fall inside the main
// beam are moved to its edges: U (the FSU lobe) above the peak, D (the first lower null) below.
std::optional<double> SectorMaximum(const Cut& cut, const IndicatorResult& r, double start, double end) {
    const double peak = r.Vmax.fAngle;
    const double upperEdge = r.FSU.fAngle;
    const double lowerEdge = r.NullLow;
    double a = peak + start;
    double b = peak + end;
    if (upperEdge < a && a <= peak)
        a = b >= 0.0 ? lowerEdge : upperEdge;
    else if (peak < a && a < lowerEdge)
        a = lowerEdge;
    if (peak <= b && b < lowerEdge) b = a <= 0.0 ? upperEdge : lowerEdge;

    const bool acrossPeak = (a < peak && b > peak) || (a > peak && b < peak);
    if (!acrossPeak) {
        const auto m = MaxInRange(cut, a, b);
        return m ? std::optional<double>(m->level) : std::nullopt;
    }
    // Bounds on both sides of the peak mean the sector goes round the back of the cut.
    std::optional<double> best;
    for (double bound : {a, b}) {
        const auto m = bound >= peak ? MaxInRange(cut, bound, 180.0) : MaxInRange(cut, -180.0, bound);
        if (m && (!best || m->level > *best)) best = m->level;
    }
    return best;
}

} // namespace

void RunSectorSuppression(const CQuadrelDoc& doc, const PatternFile& file, VerticalPass& pass) {
    const VPara& v = pass.settings;
    SectorRows automaticRows;
    const SectorRows* rows = &v.SS_sectors;
    if (v.SS_manual != "TRUE") {
        const CurveFile* envelope = FindVerticalEnvelope(doc, file);
        if (!envelope) return;
        automaticRows = SectorsFromEnvelope(*envelope);
        rows = &automaticRows;
    }
    RunFirstUpperSideLobe(pass);

    IndicatorResult& r = pass.r;
    for (size_t i = 0; i < kStoredSectors; ++i) {
        // Rows beyond the list count as empty, so values of an earlier, longer list do not linger.
        if (i >= rows->size() || (*rows)[i].first.empty()) {
            r.VSS[i] = NOT_SET;
            continue;
        }
        const auto level = SectorMaximum(pass.cut, r, ParseLeadingDouble((*rows)[i].first),
                                         ParseLeadingDouble((*rows)[i].second));
        // An empty sector has no level to compare; a suppression against NOT_SET would read ~999 dB.
        r.VSS[i] = level ? static_cast<float>(std::fabs(static_cast<double>(r.Vmax.fMag) - *level)) : NOT_SET;
    }
}
