#pragma once
#include <string_view>
#include <vector>

#include "document/PatternPoint.h"

// Gain-level files: the text form (recognised by "Frequency(MHz)" in the first 100 bytes, one
// header line, then "frequency gain" lines) or records of two float32 values.
std::vector<PatternPoint> ParseGainCurve(std::string_view bytes);

// Envelope files: a first line longer than 24 characters is a header and is dropped, otherwise it is
// the first point.
std::vector<PatternPoint> ParseEnvelopeCurve(std::string_view text);
