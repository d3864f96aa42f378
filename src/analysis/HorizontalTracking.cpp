#include "analysis/HorizontalTracking.h"

#include <algorithm>
#include <cmath>

#include "analysis/CircularCut.h"
#include "analysis/Primitives.h"

namespace {

// The largest deviation of each cut's level at the other cut's X dB edges from that cut's
// reference level - X; NOT_SET when either cut has no edges.
float TrackingAtXdB(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                    PartnerCut& q, double x) {
    const auto own = FindBeamEdges(cut, r, names, x);
    ComputeReferencePoint(cut, r, h, names);
    ComputeReferencePoint(q.cut, q.r, h, q.names);
    const auto other = FindBeamEdges(q.cut, q.r, q.names, x);
    if (!own || !other) return NOT_SET;

    double worst = -1.0;
    auto compare = [&worst, x](float reference, const Cut& at, double angle) {
        // An edge outside the other cut gives nothing to compare there.
        if (const auto level = LevelAt(at, IntoCutSpan(angle, at)))
            worst = std::max(worst, std::abs(reference - x - *level));
    };
    compare(r.Hmax.fMag, q.cut, own->first);
    compare(r.Hmax.fMag, q.cut, own->second);
    compare(q.r.Hmax.fMag, cut, other->first);
    compare(q.r.Hmax.fMag, cut, other->second);
    return worst < 0.0 ? NOT_SET : static_cast<float>(worst);
}

// The larger difference of the two cuts' levels at +x and -x, walking them index by index.
float TrackingAtAngles(const Cut& cut, const Cut& other, float x) {
    double worst = -1.0;
    const size_t n = std::min(cut.size(), other.size());
    for (size_t i = 0; i < n; ++i)
        if (cut[i].fAngle == x || cut[i].fAngle == -x)
            worst = std::max(worst, static_cast<double>(std::abs(cut[i].fMag - other[i].fMag)));
    return worst < 0.0 ? NOT_SET : static_cast<float>(worst);
}

} // namespace

void ComputeTracking(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                     PartnerCut partner) {
    if (cut.empty() || partner.cut.empty()) return;
    r.THP.fill(NOT_SET);
    if (h.THP_mode == 0) {
        if (h.THP_xdeg != 0.0f) r.THP[0] = TrackingAtAngles(cut, partner.cut, h.THP_xdeg);
    } else if (h.THP_mode == 1) {
        if (h.THP_xdb.empty() || h.THP_xdb.front() == 0.0f) return;
        const size_t count = std::min(h.THP_xdb.size(), r.THP.size());
        for (size_t i = 0; i < count; ++i) {
            r.THP[i] = TrackingAtXdB(cut, r, h, names, partner, h.THP_xdb[i]);
            if (!IsSet(r.THP[i])) break;
        }
    }
}

void ComputeTracking10(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                       PartnerCut partner) {
    if (cut.empty() || partner.cut.empty()) return;
    r.THP10 = TrackingAtXdB(cut, r, h, names, partner, 10.0);
}
