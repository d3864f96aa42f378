#pragma once
#include <cstddef>

#include "document/PatternTypes.h"

// A measured cut that goes once round the circle ends one step short of where it began: the step
// from its last sample round to its first is no wider than its widest step. Walks that leave the
// main beam on such a cut go on round the circle instead of stopping at +-180 degrees, where a beam
// that faces backwards (or is steered there) has its edges.

// True when the cut, in ascending angle order, closes on itself as above. A sample at both -180 and
// +180 (one direction written twice) closes it as well.
bool IsFullCircle(const Cut& cut);

// A position on a full-circle cut: the sample and the turns taken to reach it, so that
// `Unwrapped()` grows (or falls) steadily as a walk goes on round the circle.
class CircularStep {
  public:
    CircularStep(const Cut& cut, size_t index, double turns = 0.0);
    size_t Index() const { return m_index; }
    double Turns() const { return m_turns; }
    double Unwrapped() const;
    // One sample on in ascending (+1) or descending (-1) angle order; a sample that repeats the
    // first one's direction is stepped over.
    void Step(int direction);

  private:
    const Cut* m_cut;
    size_t m_index;
    double m_turns;
    bool m_repeatsFirst; // the last sample is the first one's direction, 360 degrees on
};

// `angle` shifted by whole turns into [first, last + one closing step) of the cut, for reading the
// cut at a direction found on the way round (a beam edge beyond +-180 degrees).
double IntoCutSpan(double angle, const Cut& cut);
