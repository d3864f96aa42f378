#pragma once
#include <string>
#include <vector>

#include "generate/AntennaModel.h"

// One measured cut as the test system writes it: a count line instead of a gain line (the gain
// comes from the gain-level curves), attenuation in dB below the co-polar peak, angles from 0
// upwards in [0, 360).
struct MsiCutHeader {
    std::string name;
    int frequency = 0;
    int tilt = 0;
    std::string comment;
    CutPlane plane = CutPlane::Horizontal;
};

// Line written where the reader skips one line after the 360th sample, so a finer cut loses none.
inline constexpr const char* kContinuationLine = "CONTINUED";

// attenuations[i] belongs to the angle i * step.
std::string FormatMsiCut(const MsiCutHeader& header, const std::vector<double>& attenuations, double step);
