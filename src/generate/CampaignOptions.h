#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What `quadrel-cli generate` is asked to write.
struct CampaignOptions {
    std::string outDir;
    int ports = 2;
    std::vector<int> tilts{2, 6};                   // degrees of electrical downtilt
    std::vector<int> frequencies{1710, 1850, 2170}; // MHz
    double step = 0.5;                              // degrees between samples of a cut
    uint64_t seed = 1;
    // A folder that already holds files is refused (old cuts would mix with the new truth), unless
    // `force`, which empties it first.
    bool force = false;
};

// Reads "2,6" or "1710, 1850" into numbers; false when a piece is empty or not wholly a number.
bool ParseNumberList(std::string_view text, std::vector<double>& values);

// Turns a list of numbers into whole numbers within [lo, hi], without repeats, for tilts and
// frequencies, which appear in file names as integers. Empty text when valid, else the reason.
std::string WholeNumbersInRange(const std::vector<double>& values, int lo, int hi, std::string_view what,
                                std::vector<int>& out);

// The reason the options cannot make a campaign, or an empty text.
std::string ValidateCampaignOptions(const CampaignOptions& options);

// Samples per cut at the option's step.
int SamplesPerCut(double step);
