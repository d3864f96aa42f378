#pragma once
#include <string>

#include "document/PatternTypes.h"

// What an operation computes for one cut from the document as it stands: the cut's new samples (or
// its new display copy). The command that applies the operation puts them in place.
struct SampleChange {
    std::string key; // PatternTable key
    Cut samples;
};
