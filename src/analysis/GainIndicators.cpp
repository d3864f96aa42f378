#include "analysis/GainIndicators.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/CircularCut.h"
#include "analysis/GainSeries.h"
#include "analysis/VerticalWalk.h"
#include "document/QuadrelDoc.h"
#include "document/ResultDraft.h"

void RunPreparationGroup(const CQuadrelDoc& doc, const PatternFile& file, ResultDraft& draft) {
    IndicatorResult& r = draft.Write(file);
    if (doc.noGainFlag == 1)
        if (const auto gain = CurveGainOf(doc, file)) r.Gain = *gain;

    // Only an Exact Data header carries a directivity; the header of an MSI or ".cm" file is its
    // frequency, which must not pass for dBi.
    r.Directivity = file.source == PatternSource::ExactData ? file.headerValue : NOT_SET;

    const bool gainKnown = r.Gain != NOT_SET;
    if (gainKnown && r.Directivity != NOT_SET) {
        const double gain = r.Gain;
        const double directivity = r.Directivity;
        r.Losses = static_cast<float>(directivity - gain);
        r.Efficiency = static_cast<float>(std::pow(10.0, gain / 10.0) / std::pow(10.0, directivity / 10.0));
    } else {
        r.Losses = NOT_SET;
        r.Efficiency = NOT_SET;
    }

    if (gainKnown) r.GFR = SeriesGainSpread(doc, file, draft);
}

namespace {

constexpr size_t kHorizontalSamples = 360;
constexpr double kBeamDrop = 3.0;

// Distance between the two crossings of `reference` - 3 dB around the strongest sample of `part`
// (ascending angles), each interpolated between the samples that enclose it.
std::optional<double> CrossingWidth(const Cut& part, double reference) {
    if (part.empty()) return std::nullopt;
    const double threshold = reference - kBeamDrop;
    const size_t peak = FirstMaximumIndex(part);
    if (part[peak].fMag <= threshold) return std::nullopt;
    auto crossing = [&](double aIn, double lIn, double aOut, double lOut) {
        // lIn > threshold >= lOut, so the levels differ.
        return aIn + (threshold - lIn) * (aOut - aIn) / (lOut - lIn);
    };
    if (IsFullCircle(part)) {
        // Round the circle, as far as a whole turn: a beam across +-180 degrees has its crossings.
        auto walk = [&](int direction) -> std::optional<double> {
            CircularStep inner(part, peak);
            for (size_t steps = 1; steps < part.size(); ++steps) {
                CircularStep outer = inner;
                outer.Step(direction);
                if (part[outer.Index()].fMag <= threshold)
                    return crossing(inner.Unwrapped(), part[inner.Index()].fMag, outer.Unwrapped(),
                                    part[outer.Index()].fMag);
                inner = outer;
            }
            return std::nullopt;
        };
        const auto left = walk(-1);
        const auto right = walk(+1);
        if (!left || !right) return std::nullopt;
        return std::fabs(*right - *left);
    }
    auto at = [&](size_t inner, size_t outer) {
        return crossing(part[inner].fAngle, part[inner].fMag, part[outer].fAngle, part[outer].fMag);
    };
    size_t left = peak;
    while (left > 0 && part[left - 1].fMag > threshold) --left;
    size_t right = peak;
    while (right + 1 < part.size() && part[right + 1].fMag > threshold) ++right;
    if (left == 0 || right + 1 == part.size()) return std::nullopt;
    return std::fabs(at(right, right + 1) - at(left, left - 1));
}

// The part of an MSI file's samples in ascending angle order (a file lists 0..180, then -179..-1).
// A sample at exactly -1 degree never serves as a neighbour of a crossing.
Cut AscendingPart(const Cut& samples, size_t begin, size_t end) {
    Cut part;
    part.reserve(end - begin);
    for (size_t i = begin; i < end; ++i)
        if (samples[i].fAngle != -1.0f) part.push_back(samples[i]);
    std::stable_sort(part.begin(), part.end(),
                     [](const PatternPoint& a, const PatternPoint& b) { return a.fAngle < b.fAngle; });
    return part;
}

float WidthOrNotSet(const Cut& part, float storedReference) {
    double reference = storedReference;
    // Nothing else fills these maxima for a two-cut file; the part's own maximum is the same level.
    if (storedReference == NOT_SET && !part.empty()) reference = part[FirstMaximumIndex(part)].fMag;
    const auto width = CrossingWidth(part, reference);
    return width ? static_cast<float>(*width) : NOT_SET;
}

} // namespace

void RunMsiFileStep(const CQuadrelDoc& /*doc*/, const PatternFile& file, IndicatorResult& r) {
    const Cut& samples = file.samples;
    if (samples.empty()) return;
    const size_t split = std::min(kHorizontalSamples, samples.size());
    const float horizontalReference = r.HmaxRaw.fMag != NOT_SET ? r.HmaxRaw.fMag : r.Hmax.fMag;
    r.HBW3 = WidthOrNotSet(AscendingPart(samples, 0, split), horizontalReference);
    if (samples.size() > split)
        r.VBW3 = WidthOrNotSet(AscendingPart(samples, split, samples.size()), r.Vmax.fMag);
}
