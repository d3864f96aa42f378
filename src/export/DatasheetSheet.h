#pragma once

#include "document/PatternTypes.h"

class Workbook;
struct DatasheetLimits;

// Adds the sheet "Datasheet": the limits file and overall verdict, then one row per group
// (band, port, polarisation, tilt, indicator, statistics, worst value, bound, margin, verdict) with
// the numbers as numbers and each verdict cell filled with its colour.
void AddDatasheetSheet(Workbook& book, const PatternTable& table, const DatasheetLimits& limits);
