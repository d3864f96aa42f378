#pragma once
#include "document/PatternTypes.h"

class CQuadrelDoc;

// The vertical co-polar indicators of one cut, in their fixed order (VBW3, VBWX, VBP, VBRr, VBRu,
// VBR10, EDE, FSU, FSD, NullLow, NF, FN, VSS, SSU, TSU). The driver has already found Vmax/Vmin
// and turned a back-facing cut round; `cut` is the file's samples.
void RunVerticalCoPolarIndicators(CQuadrelDoc& doc, PatternFile& file, Cut& cut);
