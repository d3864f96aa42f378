#pragma once
#include <string>

class CQuadrelDoc;

// Runs, for each group whose done-flag is clear, the indicator routines of one file (the
// single-file form used by the file list, the view and the pattern operations).
void AnalyseFile(CQuadrelDoc& doc, const std::string& key);

// After the selection changed: every selected file, as a click analyses it.
void AnalyseSelection(CQuadrelDoc& doc);

// The whole-table run of the export: every file in table order.
void AnalyseAll(CQuadrelDoc& doc);

// After a settings change: the driver for every shown file, then both result panes refresh.
void RecomputeAll(CQuadrelDoc& doc);
