#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/PatternTypes.h"

// What an MSI text gives the loader.
struct MsiContent {
    float frequency = 0.0f; // header value
    bool hasGainLine = false;
    float gainDbi = NOT_SET; // NOT_SET when the third line is a count line
    int32_t count = 0;
    Cut samples;
    PatternPoint hMax; // over the first 360 samples
    PatternPoint vMax; // over the later ones
    // What makes the samples doubtful although the format rules were followed (text in data lines,
    // angles that do not ascend, a count line that disagrees), one text each.
    std::vector<std::string> warnings;
};

// Parses MSI text; false when it has no line feed at all (the file is then refused).
bool ParseMsiText(std::string_view text, MsiContent& out);

// The gain of a gain line's value field ("15.00 dBd", "17 dBi", "15"): dBi as is, anything else
// taken as dBd.
double GainFromValueField(std::string_view valueField);
