#pragma once
#include "document/PatternTypes.h"

class CQuadrelDoc;

// The preparation group of one file: gain from the gain-level curves when the document's no-gain
// flag is 1, then directivity, losses, efficiency and the gain spread over frequency.
void RunPreparationGroup(CQuadrelDoc& doc, PatternFile& file);

// The two-cut step of a file whose plane field is "msi" (horizontal and vertical cut in one file).
void RunMsiFileStep(CQuadrelDoc& doc, PatternFile& file);
