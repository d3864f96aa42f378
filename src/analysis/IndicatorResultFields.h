#pragma once
#include "document/IndicatorResult.h"

// Visits every member of the results record after the done-flags, in record order, with its name.
// The visitor is called with (name, float), (name, PatternPoint) or (name, std::array<float, 10>).
// One list serves the JSON and CSV output and the tests, so no output can forget a member.
template <typename Record, typename Visitor> void ForEachResultMember(Record& r, Visitor&& v) {
    v("Gain", r.Gain);
    v("Directivity", r.Directivity);
    v("Losses", r.Losses);
    v("Efficiency", r.Efficiency);
    v("GFR", r.GFR);
    v("Vmax", r.Vmax);
    v("Vmin", r.Vmin);
    v("VBW3", r.VBW3);
    v("VBWX", r.VBWX);
    v("VBP", r.VBP);
    v("VBRr", r.VBRr);
    v("VBR10", r.VBR10);
    v("VBRu", r.VBRu);
    v("EDE", r.EDE);
    v("FSU", r.FSU);
    v("FSUlobe", r.FSUlobe);
    v("FSD", r.FSD);
    v("NullLow", r.NullLow);
    v("NF", r.NF);
    v("FN", r.FN);
    v("VSS", r.VSS);
    v("VXPD0", r.VXPD0);
    v("VXPDX", r.VXPDX);
    v("Hmax", r.Hmax);
    v("Hmin", r.Hmin);
    v("HmaxRaw", r.HmaxRaw);
    v("HBW3", r.HBW3);
    v("HBWX", r.HBWX);
    v("PXLevel", r.PXLevel);
    v("NXLevel", r.NXLevel);
    v("FBRco", r.FBRco);
    v("SSmaxRel", r.SSmaxRel);
    v("SSmaxAbs", r.SSmaxAbs);
    v("Roundness", r.Roundness);
    v("Squint", r.Squint);
    v("SquintDiff", r.SquintDiff);
    v("HPS", r.HPS);
    v("Lean", r.Lean);
    v("THP", r.THP);
    v("SPR", r.SPR);
    v("FBRxp", r.FBRxp);
    v("FBRtot", r.FBRtot);
    v("XPD0", r.XPD0);
    v("XPDX", r.XPDX);
    v("XPDXdB", r.XPDXdB);
    v("XPD10", r.XPD10);
    v("XPD60", r.XPD60);
    v("THP10", r.THP10);
    v("SSU", r.SSU);
    v("TSU", r.TSU);
}
