#pragma once
#include <string>

class CQuadrelDoc;

// The analysis as a command runs it: drafted over the document, then committed into the files'
// results in one step.

// One file (the file list, the view and the pattern operations).
void AnalyseFile(CQuadrelDoc& doc, const std::string& key);

// After the selection changed: every selected file, as a click analyses it.
void AnalyseSelection(CQuadrelDoc& doc);

// The whole-table run of the export: every file in table order.
void AnalyseAll(CQuadrelDoc& doc);

// After a settings change: the driver for every shown file, then both result panes refresh.
void RecomputeAll(CQuadrelDoc& doc);
