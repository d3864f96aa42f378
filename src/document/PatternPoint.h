#pragma once

// The program-wide marker for "no value" in points and in results.
inline constexpr float NOT_SET = -999.0f;

// One sample: angle in degrees and level in dB. Also carries (frequency MHz, gain dBi) pairs of
// gain-level files and (x, y) pairs of envelope files.
struct PatternPoint {
    float fAngle = NOT_SET;
    float fMag = NOT_SET;
};
static_assert(sizeof(PatternPoint) == 8);
