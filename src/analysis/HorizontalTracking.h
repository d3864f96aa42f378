#pragma once
#include "analysis/HorizontalReference.h"
#include "document/AnalysisSettings.h"

// Horizontal tracking between the two polarisations of a port: how far each co-polar cut lies
// from the other at the other's beam edges. Results go into the record of the file analysed
// (`r`); the partner's reference point is recomputed into its own record. Nothing changes when
// either cut is empty.

// `THP`[0..9] by `THP_mode`: the +-`THP_xdeg` levels, or one value per `THP_xdb` entry (at most ten).
void ComputeTracking(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                     PartnerCut partner);

// `THP10`: the same comparison at the 10 dB beam edges.
void ComputeTracking10(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                       PartnerCut partner);
