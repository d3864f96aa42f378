#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "document/PatternTypes.h"

// Exact Data: "NORVAN ZR460 Exact Data", the directivity line, an optional gain line, the point
// count, then "angle level" lines stored as read (no folding, no sign change).
struct ExactDataContent {
    float directivity = 0.0f; // header value
    bool hasGainLine = false;
    float gainDbi = NOT_SET;
    int32_t count = 0; // stays 0 when the file has a gain line
    Cut samples;
};

// Any file whose first 100 bytes contain "Exact Data" is read in this form.
bool LooksLikeExactData(std::string_view bytes);

// False when the text has no line feed (the file is then refused).
bool ParseExactDataText(std::string_view text, ExactDataContent& out);

// The written form. `directivity` NOT_SET is written as -999.00; a gain line is written only when
// `gainDbi` is known. `countLine` is the text of the count line ("720" or the record's count).
std::string FormatExactData(float directivity, float gainDbi, const std::string& countLine,
                            const Cut& samples);
