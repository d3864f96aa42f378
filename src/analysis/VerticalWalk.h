#pragma once
#include <cmath>
#include <cstddef>

#include "analysis/CircularCut.h"

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
    double turns = 0.0; // whole turns taken round a full-circle cut to reach `index`
};

// Steps from `start` in `direction` while keepWalking(current, next) holds. Before each step the end
// of the cut is tested first, then the window: a sample lying more than `window` degrees from
// `reference` in the walking direction ends the walk. On a full-circle cut a walk with a window goes
// on round the circle (angles unwrapped from `startTurns`), and ends only after a whole turn; a walk
// without a window stops at the cut's ends as before.
template <class Predicate>
WalkResult WalkWhile(const Cut& cut, size_t start, WalkDirection direction, double reference, double window,
                     Predicate keepWalking, double startTurns = 0.0) {
    const int step = static_cast<int>(direction);
    if (std::isfinite(window) && IsFullCircle(cut)) {
        CircularStep at(cut, start, startTurns);
        for (size_t taken = 0;; ++taken) {
            if (taken + 1 >= cut.size()) return {WalkEnd::EndOfCut, at.Index(), at.Turns()};
            if (step * (at.Unwrapped() - reference) > window)
                return {WalkEnd::LeftWindow, at.Index(), at.Turns()};
            CircularStep next = at;
            next.Step(step);
            if (!keepWalking(cut[at.Index()], cut[next.Index()]))
                return {WalkEnd::Found, at.Index(), at.Turns()};
            at = next;
        }
    }
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

// The angle a walk ended at, unwrapped by the turns it took.
inline double WalkAngle(const Cut& cut, const WalkResult& walk) {
    return static_cast<double>(cut[walk.index].fAngle) + 360.0 * walk.turns;
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
