#include "generate/GainLevelCurves.h"

#include <algorithm>
#include <cmath>

#include "app/TextUtil.h"

namespace {
constexpr int kGridStep = 10;

long Hundredths(double value) {
    return std::lround(value * 100.0);
}

double Position(const GainReference& reference, int frequency) {
    return static_cast<double>(frequency - reference.lowMHz) / (reference.highMHz - reference.lowMHz);
}
} // namespace

GainReference MakeGainReference(const std::vector<int>& campaignFrequencies) {
    GainReference reference;
    auto [lo, hi] = std::minmax_element(campaignFrequencies.begin(), campaignFrequencies.end());
    reference.lowMHz = (*lo - 1) / 100 * 100;
    reference.highMHz = (*hi + 1 + 99) / 100 * 100;
    for (int f = reference.lowMHz; f <= reference.highMHz; f += kGridStep) reference.frequencies.push_back(f);
    reference.frequencies.insert(reference.frequencies.end(), campaignFrequencies.begin(),
                                 campaignFrequencies.end());
    std::sort(reference.frequencies.begin(), reference.frequencies.end());
    reference.frequencies.erase(std::unique(reference.frequencies.begin(), reference.frequencies.end()),
                                reference.frequencies.end());
    return reference;
}

long ReferenceLevel(const GainReference& reference, int frequency) {
    // Path loss grows with frequency; the ripple is the range's standing wave.
    return Hundredths(-31.5 - 1.2 * Position(reference, frequency) + 0.15 * std::sin(frequency / 37.0));
}

long ReferenceGain(const GainReference& reference, int frequency) {
    // A standard-gain horn gains about 2.5 dB across a band of this width.
    return Hundredths(14.2 + 2.6 * Position(reference, frequency) - 0.1 * std::cos(frequency / 53.0));
}

long AntennaLevel(const GainReference& reference, int frequency, long gainHundredths) {
    return gainHundredths + ReferenceLevel(reference, frequency) - ReferenceGain(reference, frequency);
}

std::string FormatCurveText(const std::string& valueCaption, const std::vector<CurvePoint>& points) {
    std::string text = "Frequency(MHz)\t" + valueCaption + "\r\n";
    for (const CurvePoint& point : points)
        text += std::to_string(point.frequency) + " " + FormatFixed(point.hundredths / 100.0, 2) + "\r\n";
    return text;
}
