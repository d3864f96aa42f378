#pragma once
#include <cstddef>

#include "document/PatternTypes.h"

// The sample walks on which the side-lobe and null searches of a vertical cut rest. Toward the upper
// side (above the beam) means descending angle, toward the lower side ascending.

enum class WalkDirection : int { Upper = -1, Lower = 1 };

enum class WalkEnd {
    Found,      // the walk condition failed at `index`
    LeftWindow, // the sample at `index` lies beyond the angular window
    EndOfCut,   // `index` is the first (upper walk) or last (lower walk) sample
};

struct WalkResult {
    WalkEnd end;
    size_t index;
};

// Steps from `start` in `direction` while keepWalking(current, next) holds. Before each step the end
// of the cut is tested first, then the window: a sample lying more than `window` degrees from
// `reference` in the walking direction ends the walk.
template <class Predicate>
WalkResult WalkWhile(const Cut& cut, size_t start, WalkDirection direction, double reference, double window,
                     Predicate keepWalking) {
    const int step = static_cast<int>(direction);
    size_t i = start;
    for (;;) {
        const bool atEnd = step < 0 ? i == 0 : i + 1 >= cut.size();
        if (atEnd) return {WalkEnd::EndOfCut, i};
        if (step * (static_cast<double>(cut[i].fAngle) - reference) > window) return {WalkEnd::LeftWindow, i};
        const size_t next = step < 0 ? i - 1 : i + 1;
        if (!keepWalking(cut[i], cut[next])) return {WalkEnd::Found, i};
        i = next;
    }
}

// Rise of one step of a walk: the level of the sample stepped onto minus the level left behind.
inline double StepRise(const PatternPoint& current, const PatternPoint& next) {
    return static_cast<double>(next.fMag) - current.fMag;
}

// The first sample of the greatest level (a strictly greater level replaces).
inline size_t FirstMaximumIndex(const Cut& cut) {
    size_t best = 0;
    for (size_t i = 1; i < cut.size(); ++i)
        if (cut[i].fMag > cut[best].fMag) best = i;
    return best;
}
