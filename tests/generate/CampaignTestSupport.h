#pragma once
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "document/PatternPoint.h"
#include "generate/Campaign.h"

// A generated campaign in a temporary folder, kept for the whole test program.
struct GeneratedCampaign {
    std::string root;
    std::string testFolder;
    nlohmann::json truth;
};
const GeneratedCampaign& DefaultCampaign();
// Generates into a fresh folder below the program's temporary folder; fails the test on error.
GeneratedCampaign Generate(const CampaignOptions& options);

// What the loader makes of an MSI text: header lines, then samples with angles folded into
// (-180, 180] and levels = -attenuation, in file order.
struct ParsedMsi {
    std::vector<std::string> header; // the six header lines without line ends
    std::vector<PatternPoint> samples;
    bool crlfEverywhere = true;
    bool blankLine = false;
};
ParsedMsi ParseMsi(const std::string& text);

// "Frequency(MHz)" curves and "x y" envelopes: (x, y) pairs after the header line.
std::vector<std::pair<double, double>> ParseCurve(const std::string& text);

// Every regular file below `root`, as paths relative to it with "/" separators.
std::vector<std::string> RelativeFiles(const std::string& root);
