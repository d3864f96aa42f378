#include "generate/CutTruth.h"

#include <cmath>

namespace {
// Side-lobe and null searches look no further than this from the beam (or from the null).
constexpr double kSearchWindow = 40.0;
// A null that opens the first side lobe lies at least this far below the peak; shallower dips
// are shoulders of the main beam.
constexpr double kSideLobeNullDepth = 15.0;

// From `start`, step by `dir` while the level does not rise: the first local minimum.
size_t WalkDown(const std::vector<double>& levels, size_t start, int dir) {
    size_t i = start;
    while (true) {
        size_t next = i + dir;
        if (next >= levels.size() || levels[next] > levels[i]) return i;
        i = next;
    }
}

// From `start`, step by `dir` while the level does not fall: the first local maximum.
size_t WalkUp(const std::vector<double>& levels, size_t start, int dir) {
    size_t i = start;
    while (true) {
        size_t next = i + dir;
        if (next >= levels.size() || levels[next] < levels[i]) return i;
        i = next;
    }
}

bool AtEnd(const FineCut& cut, size_t i) {
    return i == 0 || i + 1 == cut.levels.size();
}

// The edge where the level first falls to `threshold`, walking from the peak by `dir`.
std::optional<double> Crossing(const FineCut& cut, double threshold, int dir) {
    for (size_t i = cut.peak + dir; i < cut.levels.size(); i += dir) {
        if (cut.levels[i] <= threshold) {
            size_t in = i - dir;
            double t = (threshold - cut.levels[in]) / (cut.levels[i] - cut.levels[in]);
            return cut.angles[in] + t * (cut.angles[i] - cut.angles[in]);
        }
    }
    return std::nullopt;
}

std::optional<size_t> FirstNull(const FineCut& cut, int dir) {
    size_t null = WalkDown(cut.levels, cut.peak, dir);
    if (AtEnd(cut, null) || std::abs(cut.angles[null] - cut.angles[cut.peak]) > kSearchWindow)
        return std::nullopt;
    return null;
}

std::optional<SideLobe> FirstSideLobe(const FineCut& cut, int dir) {
    double peakLevel = cut.levels[cut.peak];
    size_t null = WalkDown(cut.levels, cut.peak, dir);
    while (!AtEnd(cut, null) && cut.levels[null] > peakLevel - kSideLobeNullDepth)
        null = WalkDown(cut.levels, WalkUp(cut.levels, null, dir), dir);
    if (AtEnd(cut, null) || std::abs(cut.angles[null] - cut.angles[cut.peak]) > kSearchWindow)
        return std::nullopt;
    size_t top = WalkUp(cut.levels, null, dir);
    if (AtEnd(cut, top) || std::abs(cut.angles[top] - cut.angles[null]) > kSearchWindow) return std::nullopt;
    return SideLobe{cut.angles[top], peakLevel - cut.levels[top]};
}
} // namespace

FineCut SampleFineCut(const AntennaModel& model, const CutId& cutId) {
    FineCut cut;
    const int count = static_cast<int>(std::lround(360.0 / kFineStep));
    cut.angles.reserve(count);
    for (int i = 1; i <= count; ++i) cut.angles.push_back(-180.0 + i * kFineStep);
    cut.levels = model.LevelsDb(cutId, cut.angles);
    for (size_t i = 1; i < cut.levels.size(); ++i)
        if (cut.levels[i] > cut.levels[cut.peak]) cut.peak = i;
    return cut;
}

std::optional<double> BeamWidth(const FineCut& cut, double belowPeak) {
    double threshold = cut.levels[cut.peak] - belowPeak;
    auto left = Crossing(cut, threshold, -1);
    auto right = Crossing(cut, threshold, +1);
    if (!left || !right) return std::nullopt;
    return *right - *left;
}

HorizontalTruth MeasureHorizontal(const FineCut& cut) {
    HorizontalTruth truth;
    truth.hbw3 = BeamWidth(cut, 3.0);
    truth.hbw10 = BeamWidth(cut, 10.0);
    truth.peakAngle = cut.angles[cut.peak];
    double backMax = -1e9;
    for (size_t i = 0; i < cut.angles.size(); ++i) {
        double fromBack = std::remainder(cut.angles[i] - truth.peakAngle - 180.0, 360.0);
        if (std::abs(fromBack) <= 30.0 && cut.levels[i] > backMax) backMax = cut.levels[i];
    }
    truth.frontToBack = cut.levels[cut.peak] - backMax;
    return truth;
}

VerticalTruth MeasureVertical(const FineCut& cut) {
    VerticalTruth truth;
    truth.vbw3 = BeamWidth(cut, 3.0);
    truth.peakAngle = cut.angles[cut.peak];
    truth.firstUpper = FirstSideLobe(cut, -1);
    truth.firstLower = FirstSideLobe(cut, +1);
    if (auto upper = FirstNull(cut, -1)) truth.upperNull = cut.angles[*upper];
    if (auto lower = FirstNull(cut, +1)) {
        truth.lowerNull = cut.angles[*lower];
        truth.nullFill = cut.levels[cut.peak] - cut.levels[*lower];
    }
    return truth;
}

double CrossPolarDiscrimination(const FineCut& co, const FineCut& cross) {
    return co.levels[co.peak] - cross.levels[co.peak];
}
