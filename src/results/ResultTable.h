#pragma once
#include <map>
#include <string>
#include <vector>

#include "app/NumericOrder.h"
#include "document/PatternTypes.h"

class CQuadrelDoc;

// The patterns of one group (one port and tilt) by frequency text in numeric order, then by
// polarisation component and plane letter: "coh", "coe", "crh", "cre".
using ResultGroup = std::map<std::string, std::map<std::string, const PatternFile*>, NumericTextOrder>;

// The indicator table of one group: the header row ("Frequency\n(MHz)" and each selected indicator)
// and one row per frequency in numeric order, the frequency text first, then "%.2f" values (a value
// that rounds to zero reads "0.00", never "-0.00"), "-" where the cut a column comes from is not
// loaded for that frequency, and kNotComputed where the analysis gave no value.
struct ResultTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// Groups the pattern table by `keyOf(file)`, the keys in numeric order (tilt 5 before tilt 10); patterns
// whose component and plane give none of the four keys are left out.
template <typename KeyOf>
std::map<std::string, ResultGroup, NumericTextOrder> GroupPatterns(const PatternTable& table, KeyOf keyOf) {
    std::map<std::string, ResultGroup, NumericTextOrder> groups;
    for (const auto& [key, file] : table) {
        const std::string kind = file.names[kFieldComponent] + file.names[kFieldPlane];
        if (kind == "coh" || kind == "coe" || kind == "crh" || kind == "cre")
            groups[keyOf(file)][file.names[kFieldFrequency]][kind] = &file;
    }
    return groups;
}

// The header texts of the selected indicators, in the report's column order.
std::vector<std::string> ResultHeader(const CQuadrelDoc& doc);
ResultTable BuildResultTable(const CQuadrelDoc& doc, const ResultGroup& group);

// The table split into bands of at most `maxColumns` columns, each beginning with the frequency
// column, so a wide selection becomes several tables.
std::vector<ResultTable> SplitIntoBands(const ResultTable& table, size_t maxColumns = 9);

inline constexpr const char* kFrequencyHeader = "Frequency\n(MHz)";
// A cell whose value the analysis could not compute (the record holds the no-value marker).
inline constexpr const char* kNotComputed = "—";
// Whether any cell of the table reads kNotComputed.
bool HasNotComputed(const ResultTable& table);
