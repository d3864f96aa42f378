#pragma once
#include <string>
#include <vector>

// The gain-substitution curves of a campaign. The analysis computes
//     Gain = C0(f) - GL(f) + GV(f)
// from the antenna's level curve C0 of its set, the reference antenna's level GL and the reference
// antenna's known gain GV. Values are kept in whole hundredths of a dB, the resolution at which
// they are written, so the three written curves reproduce the chosen gain exactly.

struct CurvePoint {
    int frequency = 0;   // MHz
    long hundredths = 0; // value in 0.01 dB
};

struct GainReference {
    int lowMHz = 0; // frequency range named in the reference files
    int highMHz = 0;
    std::vector<int> frequencies; // every 10 MHz across the range plus every campaign frequency
};

// A range in whole 100 MHz that strictly contains every campaign frequency.
GainReference MakeGainReference(const std::vector<int>& campaignFrequencies);

// Received level of the reference antenna (GL) and its calibrated gain in dBi (GV).
long ReferenceLevel(const GainReference& reference, int frequency);
long ReferenceGain(const GainReference& reference, int frequency);

// The level the antenna under test gives at the range for a gain in hundredths of a dBi.
long AntennaLevel(const GainReference& reference, int frequency, long gainHundredths);

// Text form of a curve: the "Frequency(MHz)" header, then one "freq value" line per point.
std::string FormatCurveText(const std::string& valueCaption, const std::vector<CurvePoint>& points);
