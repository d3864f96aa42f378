#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/SettingsKeys.h"
#include "document/AnalysisSettings.h"

class CQuadrelDoc;

struct AnalysisSettings {
    HPara hpara;
    VPara vpara;
};

// Start-up: the document's Hpara and Vpara as the configuration store gives them. Values that the
// store does not hold decode as the store's empty text does (numbers 0, radio pairs 1); the
// sector table and the envelope values are only taken over when the store says they are in use,
// else the document's stay.
AnalysisSettings ReadAnalysisSettings(const CQuadrelDoc& doc);

// A radio pair is in its first state (0) only when the first key says "TRUE" and the second
// "FALSE"; anything else, an empty store included, gives 1.
int32_t DecodeRadioPair(const CQuadrelDoc& doc, std::string_view section, RadioPairKeys keys);

// Every piece between "," and the remainder after the last "," as a number, in order.
std::vector<float> ParseThpList(std::string_view text);
