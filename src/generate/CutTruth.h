#pragma once
#include <optional>
#include <vector>

#include "generate/AntennaModel.h"

// The indicators of a noise-free cut, measured on a fine grid with the definitions the analysis
// uses: levels relative to the cut's peak, widths between the two linearly interpolated crossings,
// "upper" meaning smaller angles than the peak in a vertical cut.

// A cut sampled over (-180, 180] in ascending angle order.
struct FineCut {
    std::vector<double> angles;
    std::vector<double> levels; // dB
    size_t peak = 0;            // index of the first sample of the highest level
};

inline constexpr double kFineStep = 0.01;

FineCut SampleFineCut(const AntennaModel& model, const CutId& cut);

// Width between the crossings of (peak - belowPeak); nothing when a side never falls that far.
std::optional<double> BeamWidth(const FineCut& cut, double belowPeak);

struct HorizontalTruth {
    std::optional<double> hbw3;
    std::optional<double> hbw10;
    double peakAngle = 0.0;
    double frontToBack = 0.0; // peak against the strongest level within +-30 degrees of the back
};
HorizontalTruth MeasureHorizontal(const FineCut& cut);

struct SideLobe {
    double angle = 0.0;
    double suppression = 0.0; // dB below the peak
};

struct VerticalTruth {
    std::optional<double> vbw3;
    double peakAngle = 0.0;
    std::optional<SideLobe> firstUpper; // the first upper side lobe beyond a null at least 15 dB down
    std::optional<SideLobe> firstLower;
    std::optional<double> upperNull; // angle of the first minimum above the beam
    std::optional<double> lowerNull; // angle of the first minimum below the beam
    std::optional<double> nullFill;  // dB from the peak down to the lower null
};
VerticalTruth MeasureVertical(const FineCut& cut);

// Co-polar peak level minus the cross-polar level in the co-polar peak direction; both cuts on the
// same grid and the same power scale.
double CrossPolarDiscrimination(const FineCut& co, const FineCut& cross);
