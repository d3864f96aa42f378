#pragma once
#include "document/AnalysisSettings.h"
#include "analysis/HorizontalReference.h"

// The cross-polar indicators of a cross-polar cut `cut` against its co-polar partner. Values go
// into the cross-polar file's record `r`; the partner's reference point, extremes and maximum are
// recomputed into the partner's own record. Nothing changes when either cut is empty.
// Where samples are paired, the two cuts are walked index by index (they share an angle grid).

// The horizontal group in its order: FBRxp, FBRtot, XPD0, XPDX, XPDXdB, XPD10, XPD60.
void RunHorizontalCrossPolarGroup(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                                  PartnerCut co);

void ComputeCrossFrontToBack(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                             PartnerCut co);
void ComputeTotalFrontToBack(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                             PartnerCut co);
void ComputeXpdAtReference(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                           PartnerCut co);
// XPDX (+-`XPD_xdeg`) and XPD60; a sector without paired samples keeps the member.
void ComputeXpdInSectors(const Cut& cut, IndicatorResult& r, const HPara& h, PartnerCut co);
// XPDXdB (`XPD_xdb`) and XPD10 over the co-polar cut's X dB beam.
void ComputeXpdInBeams(const Cut& cut, IndicatorResult& r, const HPara& h, PartnerCut co);

// The vertical group: VXPD0, then VXPDX.
void RunVerticalCrossPolarGroup(const Cut& cut, IndicatorResult& r, const VPara& v, PartnerCut co);
