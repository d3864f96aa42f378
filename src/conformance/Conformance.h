#pragma once
#include <string>
#include <vector>

#include "conformance/DatasheetLimits.h"
#include "document/PatternTypes.h"

enum class Verdict { Pass, Fail, NoData };

// "pass", "fail", "nodata": the words of the CSV and JSON outputs.
const char* VerdictWord(Verdict verdict);
// "PASS", "FAIL", "no data": what a person reads in tables, documents and the window.
const char* VerdictLabel(Verdict verdict);

// The fill of a verdict wherever a person reads it (RGB hex): green pass, red fail, grey no data.
const char* VerdictFill(Verdict verdict);

// A statistic as a person reads it in a table: two decimals, never "-0.00", `none` when not set.
std::string ConformanceNumber(float value, const char* none);

// The last line of the check: "PASS" or "FAIL (n of m groups fail)".
struct ConformanceResult;
std::string VerdictLine(const ConformanceResult& result);

// One band x port x polarisation x tilt x indicator: the values of the cuts in the band that carry
// the indicator, and how they keep the limit. Statistics are NOT_SET when the group has no value.
struct ConformanceGroup {
    size_t band = 0;  // index into DatasheetLimits::bands
    size_t limit = 0; // index into that band's limits
    std::string port; // name tokens as the files spell them ("p1", "p45", "2")
    std::string pol;
    std::string tilt;
    std::string indicator;
    int n = 0;
    float min = NOT_SET;
    float mean = NOT_SET;
    float max = NOT_SET;
    float std = NOT_SET; // population standard deviation
    // The value furthest outside the limit, or nearest to a bound when every value keeps it; the
    // bound it is nearest to, and its distance (negative when outside).
    float worst = NOT_SET;
    float bound = NOT_SET;
    float margin = NOT_SET;
    Verdict verdict = Verdict::NoData;
    std::vector<std::string> keys; // table keys of the cuts that gave a value
};

// The datasheet line of one band and indicator over all its groups: typical value (mean) ± the
// largest distance of any value from it.
struct ConformanceSummary {
    size_t band = 0;
    std::string indicator;
    int n = 0;
    float typical = NOT_SET;
    float tolerance = NOT_SET;
    float min = NOT_SET;
    float max = NOT_SET;
    Verdict verdict = Verdict::NoData;
};

struct ConformanceResult {
    std::vector<ConformanceGroup> groups; // band, limit, port, polarisation, tilt order
    std::vector<ConformanceSummary> summary;
    Verdict verdict = Verdict::Pass; // Pass only when every group passes
    int failing = 0;                 // groups that fail or have no data
    std::vector<std::string> warnings;
};

// The frequency of a cut in MHz: its name's frequency field, or the MSI header value when the name
// gives none; NOT_SET when neither does.
double CutFrequency(const PatternFile& file);

// What the check reads of one cut: its name tokens, its frequency and, per limit (the limits of
// every band in order), the value of the limited column. An archive's check keeps only these, and
// no key: its groups name no cuts.
struct CheckedCut {
    std::string key; // the table key, for the groups' lists of cuts
    std::string port;
    std::string pol;
    std::string tilt;
    std::string model;
    double frequency = NOT_SET;
    std::vector<float> values;
};
CheckedCut CheckedCutOf(const PatternFile& file, const DatasheetLimits& limits);

// Every limit over the checked cuts, given in table order. Without `withKeys` the groups name no
// cuts: over an archive those lists would outweigh everything else the check keeps.
ConformanceResult CheckConformance(const std::vector<CheckedCut>& cuts, const DatasheetLimits& limits,
                                   bool withKeys = true);

// Every limit over the analysed table. Groups are made for the port, polarisation and tilt
// combinations that the table holds (and the limit admits); a limit that admits none still gives
// one group, with no data.
ConformanceResult CheckConformance(const PatternTable& table, const DatasheetLimits& limits);
