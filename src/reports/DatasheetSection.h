#pragma once

#include "document/PatternTypes.h"

class CInkwright;
struct DatasheetLimits;

// The "Datasheet conformance" section of report format 1, typed at the selection: the limits file
// and the overall verdict, the per-band datasheet summary, then the groups that fail or have no
// data; verdict cells are filled green, red or grey.
void TypeDatasheetSection(CInkwright& ink, const PatternTable& table, const DatasheetLimits& limits,
                          bool chinese);
