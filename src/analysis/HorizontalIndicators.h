#pragma once
#include "analysis/HorizontalReference.h"
#include "document/AnalysisSettings.h"
#include "document/PatternTypes.h"

// The indicators of a horizontal co-polar cut. Each reads the reference point already in `r`
// (ComputeReferencePoint) and leaves `r` unchanged when the cut is empty.

// `HBW3` and `HBWX` (X = `HBW_xdb`): distance between the X dB beam edges.
void ComputeBeamwidths(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names);

// `PXLevel` / `NXLevel`: level at the absolute angles +`PX_level` / -`NX_level` relative to the
// reference level; a member keeps its value when no sample lies exactly there.
void ComputeFixedAngleLevels(const Cut& cut, IndicatorResult& r, const HPara& h);

// `FBRco`: reference level against the strongest level of the back-lobe window.
void ComputeFrontToBack(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names);

// `SSmaxRel` / `SSmaxAbs`: the strongest lobe more than 10 dB below the reference level.
void ComputeStrongestSideLobe(const Cut& cut, IndicatorResult& r);

// `Roundness` by `Round_mode`, from `HmaxRaw`, `Hmin` and the mean level.
void ComputeRoundness(const Cut& cut, IndicatorResult& r, const HPara& h);

// `Squint`: direction of the true maximum minus the nominal direction.
void ComputeSquint(const Cut& cut, IndicatorResult& r, const NameFields& names);

// `SquintDiff` against the polarisation partner (null when it is not loaded). The partner's
// extremes are recomputed into its own record.
void ComputeSquintDiff(const Cut& cut, IndicatorResult& r, const NameFields& names,
                       const PartnerCut* partner);

// `HPS`: level difference between the samples at +60 and -60 degrees.
void ComputeSymmetry(const Cut& cut, IndicatorResult& r);

// `Lean`: centre of the `Lean_xdb` beam edges minus the nominal direction.
void ComputeLean(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names);

// `SPR`: the linear sector power ratio chosen by `SPR_type`.
void ComputeSectorPowerRatio(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names);

// The whole horizontal co-polar group in its order: reference point, HBW3, HBWX, PXLevel,
// NXLevel, FBRco, SSmaxRel/SSmaxAbs, Roundness, Squint, SquintDiff, HPS, Lean, THP, THP10, SPR.
// `polarisationPartner` is null when the partner file is not loaded.
void RunHorizontalCoPolarGroup(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                               const PartnerCut* polarisationPartner);
