#include "analysis/Primitives.h"

#include <algorithm>
#include <cmath>

#include "analysis/CircularCut.h"
#include "app/TextUtil.h"

namespace {

// The level of the first sample at exactly `angle`, 0 when there is none.
double LevelOfExactSampleOrZero(const Cut& cut, float angle) {
    for (const PatternPoint& p : cut)
        if (p.fAngle == angle) return p.fMag;
    return 0.0;
}

// The linear crossing of `threshold` between the outer sample (at or below it) and its inner
// neighbour on the peak side; angles as given (unwrapped on a circular walk).
double Crossing(double outAngle, double outLevel, double inAngle, double inLevel, double threshold) {
    const double slope = std::abs(inLevel - outLevel) / std::abs(inAngle - outAngle);
    const double offset = (threshold - outLevel) / slope;
    return outAngle < inAngle ? outAngle + offset : outAngle - offset;
}

// A cut with ends: the walks stop there (the first sample is never the left outer sample).
std::optional<std::pair<double, double>> LinearBeamEdges(const Cut& cut, size_t peak, double threshold) {
    size_t left = 0;
    for (size_t i = peak; i-- > 1;)
        if (cut[i].fMag <= threshold) {
            left = i;
            break;
        }
    size_t right = 0;
    for (size_t i = peak + 1; i < cut.size(); ++i)
        if (cut[i].fMag <= threshold) {
            right = i;
            break;
        }
    if (left == 0 || right == 0) return std::nullopt;
    return std::pair{
        Crossing(cut[left].fAngle, cut[left].fMag, cut[left + 1].fAngle, cut[left + 1].fMag, threshold),
        Crossing(cut[right].fAngle, cut[right].fMag, cut[right - 1].fAngle, cut[right - 1].fMag, threshold)};
}

// A full circle: each walk goes on round it, at most once, and an edge found beyond +-180 degrees
// keeps its unwrapped angle, so that right - left is the width and the mean the beam's centre.
std::optional<std::pair<double, double>> CircularBeamEdges(const Cut& cut, size_t peak, double threshold) {
    auto walk = [&](int direction) -> std::optional<double> {
        CircularStep inner(cut, peak);
        for (size_t steps = 1; steps < cut.size(); ++steps) {
            CircularStep outer = inner;
            outer.Step(direction);
            const PatternPoint& out = cut[outer.Index()];
            if (out.fMag <= threshold)
                return Crossing(outer.Unwrapped(), out.fMag, inner.Unwrapped(), cut[inner.Index()].fMag,
                                threshold);
            inner = outer;
        }
        return std::nullopt;
    };
    const auto left = walk(-1);
    const auto right = walk(+1);
    if (!left || !right) return std::nullopt;
    return std::pair{*left, *right};
}

} // namespace

MaxMin FindMaxMin(const Cut& cut) {
    MaxMin result;
    if (cut.empty()) return result;
    result.max = cut.front();
    result.min = cut.front();
    for (const PatternPoint& p : cut) {
        if (p.fMag > result.max.fMag) result.max = p;
        if (p.fMag < result.min.fMag) result.min = p;
    }
    return result;
}

std::optional<RangeMax> MaxInRange(const Cut& cut, double a, double b) {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    bool found = false;
    float best = 0.0f;
    double angleSum = 0.0;
    int tied = 0;
    for (const PatternPoint& p : cut) {
        const double angle = p.fAngle;
        if (angle < lo || angle > hi) continue;
        if (!found || p.fMag > best) {
            found = true;
            best = p.fMag;
            angleSum = angle;
            tied = 1;
        } else if (p.fMag == best) {
            angleSum += angle;
            ++tied;
        }
    }
    if (!found) return std::nullopt;
    return RangeMax{best, static_cast<float>(angleSum / tied)};
}

std::optional<double> LevelAt(const Cut& cut, double x) {
    for (size_t i = 0; i < cut.size(); ++i) {
        const double angle = cut[i].fAngle;
        if (angle == x) return cut[i].fMag;
        if (angle > x) {
            if (i == 0) return std::nullopt;
            const double prevAngle = cut[i - 1].fAngle;
            const double prevLevel = cut[i - 1].fMag;
            return prevLevel + (x - prevAngle) * (cut[i].fMag - prevLevel) / (angle - prevAngle);
        }
    }
    return std::nullopt;
}

std::pair<double, double> BeamEdges(const Cut& samples, IndicatorResult& r, const NameFields& names,
                                    double x) {
    if (samples.empty()) return {0.0, 0.0};

    // A "v90" vertical cut may look backwards; it is searched on a copy turned round (turning the
    // cut back would round non-binary angles).
    const Cut* searched = &samples;
    Cut turned;
    if (Contains(ToLower(names[kFieldPolarisation]), "v90") && Contains(ToLower(names[kFieldPlane]), "e")) {
        const MaxMin peak = FindMaxMin(samples);
        r.VBP = ParabolicPeak(samples, peak.max.fAngle, peak.max.fMag).fAngle;
        double turn = 0.0;
        if (r.VBP >= -180.0f && r.VBP < -20.0f) turn = 180.0;
        if (r.VBP > 20.0f && r.VBP <= 180.0f) turn = -180.0;
        if (turn != 0.0) {
            turned = samples;
            RotateCut(turned, turn);
            searched = &turned;
        }
    }
    const Cut& cut = *searched;

    const MaxMin extremes = FindMaxMin(cut);
    r.Vmax = extremes.max;
    r.Vmin = extremes.min;

    std::pair<double, double> edges{0.0, 0.0};
    const float peakLevel = ToLower(names[kFieldPlane]) == "h" ? r.Hmax.fMag : r.Vmax.fMag;
    const auto peakIt = std::find_if(cut.begin(), cut.end(),
                                     [peakLevel](const PatternPoint& p) { return p.fMag == peakLevel; });
    if (peakIt != cut.end() && x >= 0.1) {
        const size_t peak = static_cast<size_t>(peakIt - cut.begin());
        const double threshold = static_cast<double>(peakLevel) - x;
        const auto found = IsFullCircle(cut) ? CircularBeamEdges(cut, peak, threshold)
                                             : LinearBeamEdges(cut, peak, threshold);
        if (found) edges = *found;
    }
    return edges;
}

PatternPoint ParabolicPeak(const Cut& cut, double a0, double l0) {
    // Neighbour angles are formed in float, the precision the samples are stored in.
    const double upper = LevelOfExactSampleOrZero(cut, static_cast<float>(a0 + 0.5));
    const double lower = LevelOfExactSampleOrZero(cut, static_cast<float>(a0 - 0.5));
    // With t = a - a0 the parabola is L = A t^2 + B t + l0; curvature = 2 A 0.5^2, slope = 2 B 0.5.
    const double curvature = upper + lower - 2.0 * l0;
    if (curvature == 0.0) {
        // Three collinear levels have no vertex; the centre sample is the best estimate.
        return PatternPoint{static_cast<float>(a0), static_cast<float>(l0)};
    }
    // The vertex relative to a0 keeps the precision of small offsets that -B/2A over absolute
    // angles would lose.
    const double slope = upper - lower;
    const double shift = -0.5 * slope / (2.0 * curvature);
    const double level = l0 - slope * slope / (8.0 * curvature);
    return PatternPoint{static_cast<float>(a0 + shift), static_cast<float>(level)};
}

void RotateCut(Cut& cut, double delta) {
    for (PatternPoint& p : cut) {
        double angle = p.fAngle + delta;
        while (angle > 180.0) angle -= 360.0;
        while (angle < -179.5) angle += 360.0;
        p.fAngle = static_cast<float>(angle);
    }
    SortByAngle(cut);
}

void SortByAngle(Cut& cut) {
    auto byAngle = [](const PatternPoint& a, const PatternPoint& b) { return a.fAngle < b.fAngle; };
    auto split = std::is_sorted_until(cut.begin(), cut.end(), byAngle);
    if (split == cut.end()) return;
    // Two ascending runs, the second wholly below the first: one rotation orders them without
    // moving equal angles past each other.
    if (std::is_sorted(split, cut.end(), byAngle) && (cut.end() - 1)->fAngle < cut.front().fAngle) {
        std::rotate(cut.begin(), split, cut.end());
        return;
    }
    std::stable_sort(cut.begin(), cut.end(), byAngle);
}

double IntegratePower(const std::vector<double>& values, double a, double b) {
    // A single sample spans no interval: there is nothing to integrate.
    if (values.size() < 2) return 0.0;
    double sum = 0.0;
    for (double v : values) sum += v;
    return sum * std::abs(b - a) / static_cast<double>(values.size() - 1);
}
