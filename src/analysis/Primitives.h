#pragma once
#include <optional>
#include <utility>
#include <vector>

#include "document/IndicatorResult.h"
#include "document/PatternTypes.h"

// The pattern primitives on which every indicator routine rests. A cut is a list of samples in
// ascending angle order; none of these change it unless stated.

struct MaxMin {
    PatternPoint max;
    PatternPoint min;
};
// One pass in angle order; strictly greater / strictly smaller replaces, so the first sample wins
// ties. Both start at the first sample; an empty cut gives two NOT_SET points.
MaxMin FindMaxMin(const Cut& cut);

struct RangeMax {
    float level;
    float angle; // mean of the angles of all in-range samples at that level
};
// The greatest level among samples with min(a,b) <= angle <= max(a,b); nothing for an empty range.
std::optional<RangeMax> MaxInRange(const Cut& cut, double a, double b);

// Level at angle x, linear between neighbours; nothing outside the cut.
std::optional<double> LevelAt(const Cut& cut, double x);

// The X dB beam edges around the peak, linearly interpolated; (0, 0) when not found. Writes
// Vmax/Vmin (and VBP for "v90" vertical cuts) into r, as the beam-edge search does.
std::pair<double, double> BeamEdges(const Cut& cut, IndicatorResult& r, const NameFields& names, double x);

// Vertex of the parabola through the samples at a0 - 0.5, a0, a0 + 0.5 (0 for a missing neighbour).
PatternPoint ParabolicPeak(const Cut& cut, double a0, double l0);

// Adds delta to every angle, folds into (-179.5, 180], reorders by ascending angle. In place.
void RotateCut(Cut& cut, double delta);

// Orders the samples by ascending angle, keeping equal angles in their order. A cut made of two
// ascending runs (a turned cut, or a file listed from 0 upwards) is ordered in linear time.
void SortByAngle(Cut& cut);

// (sum of values) * |b - a| / (n - 1); the caller passes linear powers with edge samples halved.
double IntegratePower(const std::vector<double>& values, double a, double b);
