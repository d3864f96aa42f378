#pragma once

#include "document/PatternTypes.h"

class Workbook;
struct DatasheetLimits;

// The fills of the verdicts in documents: green pass, red fail, grey no data (RGB hex).
inline constexpr const char* kPassFill = "C6EFCE";
inline constexpr const char* kFailFill = "FFC7CE";
inline constexpr const char* kNoDataFill = "D9D9D9";

// Adds the sheet "Datasheet": the limits file and overall verdict, then one row per group
// (band, port, polarisation, tilt, indicator, statistics, worst value, bound, margin, verdict) with
// the numbers as numbers and each verdict cell filled with its colour.
void AddDatasheetSheet(Workbook& book, const PatternTable& table, const DatasheetLimits& limits);
