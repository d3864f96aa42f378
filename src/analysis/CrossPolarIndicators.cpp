#include "analysis/CrossPolarIndicators.h"

#include <algorithm>
#include <cmath>

#include "analysis/Primitives.h"

namespace {

// The back-lobe window of the cross-polar ratios, each bound folded once into (-179.5, 179.5].
struct Window {
    double start;
    double stop;
};
Window CrossBackWindow(const IndicatorResult& coReference, const HPara& h, const NameFields& names) {
    auto fold = [](double bound) {
        // Once: -180 becomes 180 and must stay there, not be folded back.
        if (bound < -179.5) return bound + 360.0;
        if (bound > 179.5) return bound - 360.0;
        return bound;
    };
    const double centre = BackWindowCentre(coReference, h, names);
    return Window{fold(centre - h.FBR_tdeg), fold(centre + h.FBR_tdeg)};
}

// The smallest |co - cross| over paired samples whose co-polar angle lies in [lo, hi], a turn on or
// back included (a beam's edges found round the back of the circle lie beyond +-180 degrees).
std::optional<float> SmallestXpd(const Cut& co, const Cut& cross, double lo, double hi) {
    std::optional<float> smallest;
    auto inside = [lo, hi](double angle) { return angle >= lo && angle <= hi; };
    const size_t n = std::min(co.size(), cross.size());
    for (size_t i = 0; i < n; ++i) {
        const double angle = co[i].fAngle;
        if (!inside(angle) && !inside(angle + 360.0) && !inside(angle - 360.0)) continue;
        const float xpd = std::abs(co[i].fMag - cross[i].fMag);
        if (!smallest || xpd < *smallest) smallest = xpd;
    }
    return smallest;
}

// The smallest XPD within the co-polar cut's X dB beam; NOT_SET without edges or samples there.
float XpdInBeam(const Cut& cross, PartnerCut& co, double x) {
    const auto edges = FindBeamEdges(co.cut, co.r, co.names, x);
    if (!edges) return NOT_SET;
    return SmallestXpd(co.cut, cross, edges->first, edges->second).value_or(NOT_SET);
}

// The level of the first sample at or beyond `angle`.
std::optional<float> FirstLevelFrom(const Cut& cut, double angle) {
    for (const PatternPoint& p : cut)
        if (p.fAngle >= angle) return p.fMag;
    return std::nullopt;
}

bool Usable(const Cut& cut, const PartnerCut& co) {
    return !cut.empty() && !co.cut.empty();
}

} // namespace

void ComputeCrossFrontToBack(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                             PartnerCut co) {
    if (!Usable(cut, co)) return;
    ComputeReferencePoint(co.cut, co.r, h, co.names);
    const Window w = CrossBackWindow(co.r, h, names);
    const auto back = BackWindowMax(cut, w.start, w.stop).Max();
    r.FBRxp = back && IsSet(co.r.Hmax.fMag) ? std::abs(co.r.Hmax.fMag - *back) : NOT_SET;
}

void ComputeTotalFrontToBack(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                             PartnerCut co) {
    if (!Usable(cut, co)) return;
    const Window w = CrossBackWindow(co.r, h, names);
    const bool throughZero = w.start < 0.0 && 0.0 < w.stop;
    const bool throughBack = w.start > 0.0 && 0.0 > w.stop;
    if (!(throughZero || throughBack) || !IsSet(co.r.Hmax.fMag)) {
        r.FBRtot = NOT_SET;
        return;
    }
    const size_t n = std::min(cut.size(), co.cut.size());
    const PatternPoint* bestCo = nullptr;
    const PatternPoint* bestCross = nullptr;
    for (size_t i = 0; i < n; ++i) {
        const double angle = co.cut[i].fAngle;
        const bool inside =
            throughZero ? (angle >= w.start && angle <= w.stop) : (angle >= w.start || angle <= w.stop);
        if (!inside) continue;
        if (!bestCo || co.cut[i].fMag + cut[i].fMag > bestCo->fMag + bestCross->fMag) {
            bestCo = &co.cut[i];
            bestCross = &cut[i];
        }
    }
    if (!bestCo) {
        r.FBRtot = NOT_SET;
        return;
    }
    const double total = std::pow(10.0, bestCo->fMag / 10.0) + std::pow(10.0, bestCross->fMag / 10.0);
    r.FBRtot = static_cast<float>(co.r.Hmax.fMag - 10.0 * std::log10(total));
}

void ComputeXpdAtReference(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                           PartnerCut co) {
    if (!Usable(cut, co)) return;
    double direction = 0.0;
    std::optional<float> coLevel;
    if (h.RefAngle_mode == 0) {
        ComputeHorizontalExtremes(co.cut, co.r);
        direction = co.r.HmaxRaw.fAngle;
        coLevel = co.r.HmaxRaw.fMag;
    } else {
        direction = NominalDirection(names);
        for (const PatternPoint& p : co.cut)
            if (p.fAngle <= direction + 1.0) coLevel = p.fMag;
    }
    const auto crossLevel = FirstLevelFrom(cut, direction);
    if (coLevel && crossLevel) r.XPD0 = std::abs(*coLevel - *crossLevel);
}

void ComputeXpdInSectors(const Cut& cut, IndicatorResult& r, const HPara& h, PartnerCut co) {
    if (!Usable(cut, co)) return;
    if (const auto xpd = SmallestXpd(co.cut, cut, -h.XPD_xdeg, h.XPD_xdeg)) r.XPDX = *xpd;
    if (const auto xpd = SmallestXpd(co.cut, cut, -60.0, 60.0)) r.XPD60 = *xpd;
}

void ComputeXpdInBeams(const Cut& cut, IndicatorResult& r, const HPara& h, PartnerCut co) {
    if (!Usable(cut, co)) return;
    r.XPDXdB = XpdInBeam(cut, co, h.XPD_xdb);
    r.XPD10 = XpdInBeam(cut, co, 10.0);
}

void RunHorizontalCrossPolarGroup(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                                  PartnerCut co) {
    ComputeCrossFrontToBack(cut, r, h, names, co);
    ComputeTotalFrontToBack(cut, r, h, names, co);
    ComputeXpdAtReference(cut, r, h, names, co);
    ComputeXpdInSectors(cut, r, h, co);
    ComputeXpdInBeams(cut, r, h, co);
}

void RunVerticalCrossPolarGroup(const Cut& cut, IndicatorResult& r, const VPara& v, PartnerCut co) {
    if (!Usable(cut, co)) return;
    const MaxMin extremes = FindMaxMin(co.cut);
    co.r.Vmax = extremes.max;
    co.r.Vmin = extremes.min;
    if (const auto crossLevel = FirstLevelFrom(cut, co.r.Vmax.fAngle))
        r.VXPD0 = std::abs(co.r.Vmax.fMag - *crossLevel);
    r.VXPDX = XpdInBeam(cut, co, v.VXPD_xdb);
}
