#pragma once
#include <cmath>
#include <functional>
#include <string>

#include "document/PatternTypes.h"

// Cuts built from a level function over a regular grid, for the analysis tests.
inline Cut MakeCut(const std::function<double(double)>& level, double first = -179.5, double last = 180.0,
                   double step = 0.5) {
    Cut cut;
    const int count = static_cast<int>(std::lround((last - first) / step)) + 1;
    cut.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double angle = first + i * step;
        cut.push_back(PatternPoint{static_cast<float>(angle), static_cast<float>(level(angle))});
    }
    return cut;
}

// A Gaussian beam whose level is exactly -3 dB at +-halfWidth3dB from `centre`, floored at `floor`.
inline std::function<double(double)> GaussianBeam(double centre, double halfWidth3dB, double floor = -40.0) {
    return [=](double a) {
        const double u = (a - centre) / halfWidth3dB;
        return std::max(floor, -3.0 * u * u);
    };
}

inline NameFields MakeNames(const std::string& polarisation, const std::string& plane,
                            const std::string& component, const std::string& tilt = "0",
                            const std::string& direction = "0") {
    NameFields names;
    names[kFieldPort] = "P1";
    names[kFieldPolarisation] = polarisation;
    names[kFieldPlane] = plane;
    names[kFieldComponent] = component;
    names[kFieldTilt] = tilt;
    names[kFieldDirection] = direction;
    names[kFieldFrequency] = "1800";
    return names;
}
