#include "analysis/HorizontalIndicators.h"
#include "analysis/HorizontalTracking.h"

void RunHorizontalCoPolarGroup(const Cut& cut, IndicatorResult& r, const HPara& h, const NameFields& names,
                               const PartnerCut* polarisationPartner) {
    if (cut.empty()) return;
    ComputeReferencePoint(cut, r, h, names);
    ComputeBeamwidths(cut, r, h, names);
    ComputeFixedAngleLevels(cut, r, h);
    ComputeFrontToBack(cut, r, h, names);
    ComputeStrongestSideLobe(cut, r);
    ComputeRoundness(cut, r, h);
    ComputeSquint(cut, r, names);
    ComputeSquintDiff(cut, r, names, polarisationPartner);
    ComputeSymmetry(cut, r);
    ComputeLean(cut, r, h, names);
    if (polarisationPartner) {
        ComputeTracking(cut, r, h, names, *polarisationPartner);
        ComputeTracking10(cut, r, h, names, *polarisationPartner);
    }
    ComputeSectorPowerRatio(cut, r, h, names);
}
