// Stand-ins for the vertical co-polar, preparation and MSI two-cut groups until their own files
// define them; the real definitions replace these at link time. Remove this file then.
#include "analysis/GainIndicators.h"
#include "analysis/VerticalIndicators.h"

__attribute__((weak)) void RunPreparationGroup(CQuadrelDoc&, PatternFile&) {}
__attribute__((weak)) void RunMsiFileStep(CQuadrelDoc&, PatternFile&) {}
__attribute__((weak)) void RunVerticalCoPolarIndicators(CQuadrelDoc&, PatternFile&, Cut&) {}
