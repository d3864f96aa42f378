#pragma once
#include <optional>
#include <utility>

#include "document/AnalysisSettings.h"
#include "document/PatternTypes.h"

// The reference point of a horizontal cut and the small lookups that the horizontal and
// cross-polar routines share.

inline bool IsSet(float value) {
    return value != NOT_SET;
}

// Name field 11 read as a number (leading numeric part, 0 when there is none).
float NominalDirection(const NameFields& names);

// The level of the last sample whose stored angle equals `angle` exactly.
std::optional<float> LastLevelAtAngle(const Cut& cut, float angle);

// `HmaxRaw` (greatest level, mean direction of the tied samples) and `Hmin` (first smallest).
void ComputeHorizontalExtremes(const Cut& cut, IndicatorResult& r);

// `HmaxRaw`, `Hmin`, then `Hmax` by the reference choices: the level is the peak unless the
// nominal direction is chosen (then the level found there, or the old one when no sample lies
// exactly there); the direction is the peak's or the nominal one.
void ComputeReferencePoint(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names);

// The X dB beam edges, or nothing where the search gives its failure value (0, 0).
std::optional<std::pair<double, double>> FindBeamEdges(const Cut& cut, IndicatorResult& r,
                                                       const NameFields& names, double x);

// A partner file's cut and its record in the run's draft, handed to routines that compare two cuts
// of one antenna.
struct PartnerCut {
    const Cut& cut;
    IndicatorResult& r;
    const NameFields& names;
};

// The two pieces of a back-lobe window as the front-to-back ratios read them: [start, 180] when
// start >= 0, else [-180, start], and the same for stop. Either maximum is absent when its piece
// holds no sample.
struct BackWindowLevels {
    std::optional<float> first;
    std::optional<float> second;
    // The greater of the two present maxima.
    std::optional<float> Max() const;
};
BackWindowLevels BackWindowMax(const Cut& cut, double start, double stop);

// The centre of the back-lobe window: the reference direction, or the nominal direction when the
// reference angle follows it, offset by `FBR_xdeg`.
double BackWindowCentre(const IndicatorResult& reference, const HPara& h, const NameFields& names);
