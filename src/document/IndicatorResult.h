#pragma once
#include <array>

#include "document/PatternPoint.h"

enum DoneFlag : int {
    kDoneHCo = 0,
    kDoneVCo = 1,
    kDonePrep = 2,
    kDoneUnused = 3,
    kDoneHCr = 4,
    kDoneVCr = 5,
};

// The per-file results record: done-flags, then every indicator computed from the file's cut.
// Every float and both members of every point start as NOT_SET, the flags as false.
struct IndicatorResult {
    std::array<bool, 6> flags{};
    float Gain = NOT_SET;
    float Directivity = NOT_SET;
    float Losses = NOT_SET;
    float Efficiency = NOT_SET;
    float GFR = NOT_SET;
    PatternPoint Vmax;
    PatternPoint Vmin;
    float VBW3 = NOT_SET;
    float VBWX = NOT_SET;
    float VBP = NOT_SET;
    float VBRr = NOT_SET;
    float VBR10 = NOT_SET;
    float VBRu = NOT_SET;
    float EDE = NOT_SET;
    PatternPoint FSU;
    PatternPoint FSUlobe;
    PatternPoint FSD;
    float NullLow = NOT_SET;
    float NF = NOT_SET;
    float FN = NOT_SET;
    std::array<float, 10> VSS{NOT_SET, NOT_SET, NOT_SET, NOT_SET, NOT_SET,
                              NOT_SET, NOT_SET, NOT_SET, NOT_SET, NOT_SET};
    float VXPD0 = NOT_SET;
    float VXPDX = NOT_SET;
    PatternPoint Hmax;
    PatternPoint Hmin;
    PatternPoint HmaxRaw;
    float HBW3 = NOT_SET;
    float HBWX = NOT_SET;
    float PXLevel = NOT_SET;
    float NXLevel = NOT_SET;
    float FBRco = NOT_SET;
    PatternPoint SSmaxRel;
    PatternPoint SSmaxAbs;
    float Roundness = NOT_SET;
    float Squint = NOT_SET;
    float SquintDiff = NOT_SET;
    float HPS = NOT_SET;
    float Lean = NOT_SET;
    std::array<float, 10> THP{NOT_SET, NOT_SET, NOT_SET, NOT_SET, NOT_SET,
                              NOT_SET, NOT_SET, NOT_SET, NOT_SET, NOT_SET};
    float SPR = NOT_SET;
    float FBRxp = NOT_SET;
    float FBRtot = NOT_SET;
    float XPD0 = NOT_SET;
    float XPDX = NOT_SET;
    float XPDXdB = NOT_SET;
    float XPD10 = NOT_SET;
    float XPD60 = NOT_SET;
    float THP10 = NOT_SET;
    PatternPoint SSU;
    PatternPoint TSU;
};
