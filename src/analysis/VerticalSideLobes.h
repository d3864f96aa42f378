#pragma once
#include <cstddef>

#include "document/AnalysisSettings.h"
#include "document/IndicatorResult.h"
#include "document/PatternTypes.h"

// One run of the vertical co-polar group over a cut: what every side-lobe routine reads, and which
// of the routines that others depend on have already run in this pass (FSU feeds SS and SSU, SSU
// feeds TSU; running them again on the same cut would give the same values).
struct VerticalPass {
    const Cut& cut;
    IndicatorResult& r;
    const VPara& settings;
    size_t peak; // the first sample of maximum level
    bool fsuDone = false;
    bool ssuDone = false;
};

// First upper side lobe: the standard search, then the envelope decision when it is enabled.
// Writes FSU and FSUlobe.
void RunFirstUpperSideLobe(VerticalPass& pass);

// First lower side lobe (FSD).
void RunFirstLowerSideLobe(VerticalPass& pass);

// NullLow, NF and FN.
void RunNullLow(VerticalPass& pass);
void RunNullFill(VerticalPass& pass);
void RunFirstNull(VerticalPass& pass);

// Second and third upper side lobes; each runs the one before it first.
void RunSecondUpperSideLobe(VerticalPass& pass);
void RunThirdUpperSideLobe(VerticalPass& pass);
