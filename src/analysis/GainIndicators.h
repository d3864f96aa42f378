#pragma once
#include "document/PatternTypes.h"

class CQuadrelDoc;
class ResultDraft;

// The preparation group of one file: gain from the gain-level curves when the document's no-gain
// flag is 1, then directivity, losses, efficiency and the gain spread over frequency. Written into
// the file's slot of `draft`; the spread reads the other files of the series through it.
void RunPreparationGroup(const CQuadrelDoc& doc, const PatternFile& file, ResultDraft& draft);

// The two-cut step of a file whose plane field is "msi" (horizontal and vertical cut in one file).
void RunMsiFileStep(const CQuadrelDoc& doc, const PatternFile& file, IndicatorResult& r);
