#pragma once
#include <string>

class CQuadrelDoc;
class ResultDraft;

// The analysis reads the document and writes what it finds into `draft`, whose results the calling
// command commits (CQuadrelDoc::CommitResults). Within one run every read of a file's results goes
// through the draft, so a run sees its own values.

// Runs, for each group whose done-flag is clear, the indicator routines of one file (the
// single-file form used by the file list, the view and the pattern operations).
void AnalyseFile(const CQuadrelDoc& doc, const std::string& key, ResultDraft& draft);

// After the selection changed: every selected file, as a click analyses it.
void AnalyseSelection(const CQuadrelDoc& doc, ResultDraft& draft);

// The whole-table run of the export: every file in table order.
void AnalyseAll(const CQuadrelDoc& doc, ResultDraft& draft);
