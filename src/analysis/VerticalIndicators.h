#pragma once
#include "document/PatternTypes.h"

class CQuadrelDoc;

// The vertical co-polar indicators of one cut, in their fixed order (VBW3, VBWX, VBP, VBRr, VBRu,
// VBR10, EDE, FSU, FSD, NullLow, NF, FN, VSS, SSU, TSU), written into `r`. The driver has already
// found Vmax/Vmin and turned a back-facing cut round; `cut` is the file's samples in ascending order
// or that turned copy.
void RunVerticalCoPolarIndicators(const CQuadrelDoc& doc, const PatternFile& file, const Cut& cut,
                                  IndicatorResult& r);
