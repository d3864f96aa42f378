#include <cmath>
#include <vector>

#include "analysis/HorizontalIndicators.h"
#include "analysis/Primitives.h"

namespace {

// Trapezoidal power of the samples with lo <= angle <= hi over [lo, hi]; `powers` holds the linear
// power of every sample. With `halveEdges` the samples lying exactly on a bound weigh half.
double RegionPower(const Cut& cut, const std::vector<double>& powers, double lo, double hi, bool halveEdges) {
    thread_local std::vector<double> region;
    region.clear();
    for (size_t i = 0; i < cut.size(); ++i) {
        const double angle = cut[i].fAngle;
        if (angle < lo || angle > hi) continue;
        region.push_back(halveEdges && (angle == lo || angle == hi) ? powers[i] / 2.0 : powers[i]);
    }
    return IntegratePower(region, lo, hi);
}

} // namespace

void ComputeSectorPowerRatio(const Cut& input, IndicatorResult& r, const HPara& h, const NameFields& names) {
    if (input.empty()) return;
    double s = -h.SPR_xdeg;
    double e = h.SPR_xdeg;
    if (h.SPR_mode == 1) {
        const auto edges = FindBeamEdges(input, r, names, h.SPR_xdb);
        if (!edges) {
            r.SPR = NOT_SET;
            return;
        }
        s = edges->first;
        e = edges->second;
    }
    if (s == e) {
        r.SPR = NOT_SET;
        return;
    }
    if (s > e) std::swap(s, e);
    // Edges found round the back of a full circle lie beyond the cut's ends: the regions are measured
    // on a copy turned (by whole degrees, so grid angles stay exact) to put the sector inside it.
    Cut turned;
    if (s < input.front().fAngle || e > input.back().fAngle) {
        const double centre = std::round((s + e) / 2.0);
        turned = input;
        RotateCut(turned, -centre);
        s -= centre;
        e -= centre;
    }
    const Cut& cut = turned.empty() ? input : turned;

    thread_local std::vector<double> powers;
    powers.resize(cut.size());
    for (size_t i = 0; i < cut.size(); ++i) powers[i] = std::pow(10.0, cut[i].fMag / 10.0);
    const double sector = RegionPower(cut, powers, s, e, true);
    const double unwanted =
        RegionPower(cut, powers, cut.front().fAngle, s, true) + RegionPower(cut, powers, e, 180.0, true);
    const double total = RegionPower(cut, powers, -180.0, 180.0, false);
    // An unknown ratio kind is read as the first kind, "u/s".
    double numerator = unwanted;
    double denominator = sector;
    switch (h.SPR_type) {
    case 1:
        numerator = sector, denominator = unwanted;
        break;
    case 2:
        numerator = sector, denominator = total;
        break;
    case 3:
        numerator = unwanted, denominator = total;
        break;
    default:
        break;
    }
    // A region without power (or without two samples to span it) gives no ratio, not infinity.
    r.SPR = denominator > 0.0 ? static_cast<float>(numerator / denominator) : NOT_SET;
}
