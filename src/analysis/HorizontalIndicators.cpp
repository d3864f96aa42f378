#include "analysis/HorizontalIndicators.h"

#include <algorithm>
#include <cmath>

#include "analysis/Primitives.h"
#include "app/Log.h"

namespace {

float Width(const std::optional<std::pair<double, double>>& edges) {
    return edges ? static_cast<float>(std::abs(edges->first - edges->second)) : NOT_SET;
}

float RelativeToReference(float level, const IndicatorResult& r) {
    return IsSet(r.Hmax.fMag) ? level - r.Hmax.fMag : NOT_SET;
}

// Shifts a window bound into the cut's span, a turn at a time.
double IntoSpan(double bound, const Cut& cut) {
    if (bound < cut.front().fAngle) bound += 360.0;
    if (bound > cut.back().fAngle) bound -= 360.0;
    return bound;
}

} // namespace

void ComputeBeamwidths(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names) {
    if (cut.empty()) return;
    r.HBW3 = Width(FindBeamEdges(cut, r, names, 3.0));
    r.HBWX = Width(FindBeamEdges(cut, r, names, h.HBW_xdb));
}

void ComputeFixedAngleLevels(const Cut& cut, IndicatorResult& r, const HPara& h) {
    if (cut.empty()) return;
    if (const auto level = LastLevelAtAngle(cut, static_cast<float>(h.PX_level)))
        r.PXLevel = RelativeToReference(*level, r);
    if (const auto level = LastLevelAtAngle(cut, static_cast<float>(-h.NX_level)))
        r.NXLevel = RelativeToReference(*level, r);
}

void ComputeFrontToBack(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names) {
    if (cut.empty()) return;
    const double centre = BackWindowCentre(r, h, names);
    const double start = IntoSpan(centre - h.FBR_tdeg, cut);
    const double stop = IntoSpan(centre + h.FBR_tdeg, cut);
    const BackWindowLevels back = BackWindowMax(cut, start, stop);
    const auto backLevel = back.Max();
    // Without a reference level or any sample in the window there is no ratio to report.
    if (!IsSet(r.Hmax.fMag) || !backLevel) {
        r.FBRco = NOT_SET;
        return;
    }
    r.FBRco = std::abs(r.Hmax.fMag - *backLevel);
    if (r.FBRco < 0.001f) {
        Log("FBRCO Error! myResult.Hmax.fMag: %f,MaxLevelTemp1:%f,MaxLevelTemp2:%f,StartDeg:%f,StopDeg:%f,"
            "Hpara.FBR_xdeg: %d,Hpara.FBR_tdeg: %d\r\n",
            r.Hmax.fMag, back.first.value_or(NOT_SET), back.second.value_or(NOT_SET), start, stop, h.FBR_xdeg,
            h.FBR_tdeg);
    }
}

void ComputeStrongestSideLobe(const Cut& cut, IndicatorResult& r) {
    if (cut.empty()) return;
    const size_t n = cut.size();
    PatternPoint best = cut.front();
    const PatternPoint* lobeTop = nullptr;
    size_t i = 0;
    // Level steps are compared in double: a float step of exactly 0.05f lies above 0.05 dB.
    auto step = [&cut](size_t from) { return static_cast<double>(cut[from + 1].fMag) - cut[from].fMag; };
    while (i + 1 < n) {
        if (step(i) <= 0.05) {
            ++i;
            continue;
        }
        size_t top = i + 1;
        while (top + 1 < n && step(top) >= 0.0) ++top;
        // A rise that runs to the end of the cut has no top; the previous lobe stands.
        if (top + 1 < n) lobeTop = &cut[top];
        if (lobeTop && lobeTop->fMag > best.fMag &&
            std::abs(static_cast<double>(r.Hmax.fMag) - lobeTop->fMag) > 10.0)
            best = *lobeTop;
        i = top;
    }
    r.SSmaxAbs = best;
    r.SSmaxRel = PatternPoint{best.fAngle, RelativeToReference(best.fMag, r)};
}

void ComputeRoundness(const Cut& cut, IndicatorResult& r, const HPara& h) {
    if (cut.empty()) return;
    double sum = 0.0;
    for (const PatternPoint& p : cut) sum += p.fMag;
    const double mean = sum / static_cast<double>(cut.size());
    if (h.Round_mode == 0)
        r.Roundness = static_cast<float>(std::max(r.HmaxRaw.fMag - mean, std::abs(r.Hmin.fMag - mean)));
    else
        r.Roundness = std::abs(r.HmaxRaw.fMag - r.Hmin.fMag) / 2.0f;
}

void ComputeSquint(const Cut& cut, IndicatorResult& r, const NameFields& names) {
    if (cut.empty()) return;
    r.Squint = r.HmaxRaw.fAngle - NominalDirection(names);
}

void ComputeSquintDiff(const Cut& cut, IndicatorResult& r, const NameFields& names,
                       const PartnerCut* partner) {
    if (cut.empty()) return;
    if (!partner || partner->cut.empty()) {
        r.SquintDiff = NOT_SET;
        return;
    }
    ComputeSquint(cut, r, names);
    ComputeHorizontalExtremes(partner->cut, partner->r);
    const float partnerSquint = partner->r.HmaxRaw.fAngle - NominalDirection(partner->names);
    r.SquintDiff = std::abs(partnerSquint - r.Squint);
}

void ComputeSymmetry(const Cut& cut, IndicatorResult& r) {
    if (cut.empty()) return;
    const auto plus = LastLevelAtAngle(cut, 60.0f);
    const auto minus = LastLevelAtAngle(cut, -60.0f);
    // A missing side gives no difference (a stand-in level of 0 dB would give a made-up one).
    r.HPS = plus && minus ? std::abs(*plus - *minus) : NOT_SET;
}

void ComputeLean(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names) {
    if (cut.empty()) return;
    const auto edges = FindBeamEdges(cut, r, names, h.Lean_xdb);
    if (!edges) {
        r.Lean = NOT_SET;
        return;
    }
    double lean = (edges->first + edges->second) / 2.0 - NominalDirection(names);
    // Edges found round the back of the circle give a centre beyond +-180 degrees.
    while (lean > 180.0) lean -= 360.0;
    while (lean <= -180.0) lean += 360.0;
    r.Lean = static_cast<float>(lean);
}
