#include "results/IndicatorLines.h"

#include <algorithm>
#include <string_view>

#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

namespace {
constexpr size_t kMaxSectors = 10;

bool IsSet(float value) {
    return value != NOT_SET;
}

// Appends "<label><value as %.2f><unit>" lines for one pattern.
class LineWriter {
  public:
    LineWriter(const CQuadrelDoc& doc, std::vector<std::string>& lines) : m_doc(doc), m_lines(lines) {}

    bool On(std::string_view flag) const { return m_doc.selection.IsSelected(flag); }

    // A line that is printed whatever its value.
    void Always(std::string_view flag, std::string_view label, double value, std::string_view unit) {
        if (On(flag)) Put(label, value, unit);
    }
    // A line that is left out while its value is NOT_SET.
    void IfSet(std::string_view flag, std::string_view label, float value, std::string_view unit) {
        if (On(flag) && IsSet(value)) Put(label, value, unit);
    }
    void Put(std::string_view label, double value, std::string_view unit, int decimals = 2) {
        m_lines.push_back(std::string(label) + FormatShown(value, decimals) + std::string(unit));
    }

  private:
    const CQuadrelDoc& m_doc;
    std::vector<std::string>& m_lines;
};

std::string Whole(double value) {
    return FormatFixed(value, 0);
}

void GainLines(LineWriter& out, const IndicatorResult& r) {
    out.IfSet("Gain", "Gain : ", r.Gain, "dBi");
    out.IfSet("Directivity", "Directivity : ", r.Directivity, "dBi");
    out.IfSet("Losses", "Losses : ", r.Losses, "dB");
    if (out.On("Eff") && IsSet(r.Efficiency))
        out.Put("Eff : ", static_cast<double>(r.Efficiency) * 100.0, "%");
    out.IfSet("GFR", "GFR : ", r.GFR, "dB");
}

void SectorSuppressionLines(LineWriter& out, const VPara& settings, const IndicatorResult& r) {
    if (!out.On("cm_isSelSS")) return;
    const auto& sectors = settings.SS_sectors;
    const size_t count = std::min(sectors.size(), kMaxSectors);
    auto put = [&](size_t i) {
        out.Put("SS " + sectors[i].first + "°~" + sectors[i].second + "° : ", r.VSS[i], "dB");
    };
    // The two modes are looked at independently: both walks run when both texts say "TRUE".
    if (settings.SS_manual == "TRUE") {
        for (size_t i = 0; i < count && !sectors[i].first.empty(); ++i)
            if (r.VSS[i] >= -200.0f) put(i);
    }
    if (settings.SS_auto == "TRUE") {
        for (size_t i = 0; i < count; ++i) put(i);
    }
}

void VerticalCoLines(LineWriter& out, const CQuadrelDoc& doc, const IndicatorResult& r) {
    const VPara& v = doc.Vpara;
    out.Always("cm_isSelVMaxLevel", "V-Max Level : ", r.Vmax.fMag, "dB");
    out.Always("cm_isSelVBW3dB", "VBW : ", r.VBW3, "°");
    out.Always("cm_isSelVBWXdB", "VBW " + Whole(v.VBW_xdb) + "dB : ", r.VBWX, "°");
    out.Always("cm_isSelVBP", "VBP : ", r.VBP, "°");
    // The ratios are stored as percentages already.
    out.Always("cm_isSelVBRr", "VBR(r) : ", r.VBRr, "%");
    out.Always("cm_isSelVBRs", "VBR(u) : ", r.VBRu, "%");
    out.Always("cm_isSelVBR10dB", "VBR(10dB) : ", r.VBR10, "%");
    out.Always("cm_isSelEDE", "EDE : ", r.EDE, "°");
    out.Always("cm_isSelFSU", "FSU : ", r.FSU.fMag, "dB");
    out.Always("cm_isSelSSU", "SSU : ", r.SSU.fMag, "dB");
    out.Always("cm_isSelTSU", "TSU : ", r.TSU.fMag, "dB");
    out.Always("cm_isSelFSD", "FSD : ", r.FSD.fMag, "dB");
    out.Always("cm_isSelNF", "NF : ", r.NF, "dB");
    out.Always("cm_isSelFN", "F. N : ", r.FN, "°");
    SectorSuppressionLines(out, v, r);
}

void VerticalCrossLines(LineWriter& out, const CQuadrelDoc& doc, const IndicatorResult& r) {
    out.IfSet("cm_isSelVXPD0", "V-XPD 0° : ", r.VXPD0, "dB");
    out.IfSet("cm_isSelVXPDX", "V-XPD " + Whole(doc.Vpara.VXPD_xdb) + "dB : ", r.VXPDX, "dB");
}

void TrackingLines(LineWriter& out, const HPara& h, const IndicatorResult& r) {
    if (!out.On("cm_isSelTHP") || !IsSet(r.THP[0])) return;
    if (h.THP_mode == 1) {
        // The analysis evaluates at most as many sectors as the record holds.
        const size_t count = std::min(h.THP_xdb.size(), r.THP.size());
        for (size_t i = 0; i < count; ++i) out.Put("THP " + Whole(h.THP_xdb[i]) + "dB : ", r.THP[i], "dB");
    } else {
        out.Put("THP " + Whole(h.THP_xdeg) + " : ", r.THP[0], "dB");
    }
}

void SectorPowerLine(LineWriter& out, const HPara& h, const IndicatorResult& r) {
    if (!out.On("cm_isSelSPR") || !IsSet(r.SPR)) return;
    static constexpr std::string_view kRatios[] = {" u/s: ", " s/u: ", " s/t: ", " u/t: "};
    if (h.SPR_type < 0 || h.SPR_type > 3) return;
    const std::string sector = h.SPR_mode == 0 ? Whole(h.SPR_xdeg) + "°" : Whole(h.SPR_xdb) + "dB";
    out.Put("SPR" + sector + std::string(kRatios[h.SPR_type]), static_cast<double>(r.SPR) * 100.0, "%", 4);
}

void HorizontalCoLines(LineWriter& out, const CQuadrelDoc& doc, const IndicatorResult& r) {
    const HPara& h = doc.Hpara;
    out.Always("cm_isSelHMaxLevel", "H-Max Level : ", r.HmaxRaw.fMag, "dB");
    out.Always("cm_isSelHBW3dB", "HBW : ", r.HBW3, "°");
    out.Always("cm_isSelHBWXdB", "HBW " + Whole(h.HBW_xdb) + "dB : ", r.HBWX, "°");
    out.Always("cm_isSelPXLevel", "+" + std::to_string(h.PX_level) + "° Level : ", r.PXLevel, "dB");
    out.Always("cm_isSelNXLevel", "-" + std::to_string(h.NX_level) + "° Level : ", r.NXLevel, "dB");
    out.Always("cm_isSelFBRCO", "FBR CO : ", r.FBRco, "dB");
    out.Always("cm_isSelSSMax", "SS Max : ", r.SSmaxRel.fMag, "dB");
    out.Always("cm_isSelRoundness", "Roundness : ", r.Roundness, "dB");
    out.Always("cm_isSelSquint", "Squint : ", r.Squint, "°");
    out.IfSet("cm_isSelSquintError", "SquintError : ", r.SquintDiff, "°");
    out.IfSet("cm_isSelHPS", "HPS : ", r.HPS, "dB");
    out.Always("cm_isSelLean", "Lean : ", r.Lean, "°");
    TrackingLines(out, h, r);
    out.IfSet("cm_isSelTHP10dB", "THP 10dB : ", r.THP10, "dB");
    SectorPowerLine(out, h, r);
}

void HorizontalCrossLines(LineWriter& out, const CQuadrelDoc& doc, const IndicatorResult& r) {
    const HPara& h = doc.Hpara;
    out.IfSet("cm_isSelFBRXP", "FBR XP : ", r.FBRxp, "dB");
    out.IfSet("cm_isSelFBRtot", "FBR tot : ", r.FBRtot, "dB");
    out.IfSet("cm_isSelXPD0", "XPD 0 : ", r.XPD0, "dB");
    out.IfSet("cm_isSelXPDX", "XPD " + Whole(h.XPD_xdeg) + "° : ", r.XPDX, "dB");
    out.IfSet("cm_isSelXPD60deg", "XPD 60 : ", r.XPD60, "dB");
    out.IfSet("cm_isSelXPDXdB", "XPD " + Whole(h.XPD_xdb) + "dB : ", r.XPDXdB, "dB");
    out.IfSet("cm_isSelXPD10dB", "XPD 10dB : ", r.XPD10, "dB");
}

void MsiLines(LineWriter& out, const IndicatorResult& r) {
    if (IsSet(r.Gain)) out.Put("Gain : ", r.Gain, "dBi"); // shown without a flag of its own
    out.Always("cm_isSelVBW3dB", "VBW : ", r.VBW3, "°");
    out.Always("cm_isSelHBW3dB", "HBW : ", r.HBW3, "°");
}
} // namespace

ResultBlock BlockOf(const PatternFile& file) {
    const std::string plane = ToLower(file.names[kFieldPlane]);
    if (plane == "msi") return ResultBlock::Msi;
    const bool coPolar = ToLower(file.names[kFieldComponent]) == "co";
    if (plane == "e") return coPolar ? ResultBlock::VerticalCo : ResultBlock::VerticalCross;
    if (plane == "h") return coPolar ? ResultBlock::HorizontalCo : ResultBlock::HorizontalCross;
    return ResultBlock::None;
}

bool HidesGainDependents(const CQuadrelDoc& doc, const PatternFile& file) {
    const ResultBlock gainBlock = doc.Vpara.GainCalc_v == 1   ? ResultBlock::VerticalCo
                                  : doc.Vpara.GainCalc_v == 0 ? ResultBlock::HorizontalCo
                                                              : ResultBlock::None;
    return gainBlock != ResultBlock::None && BlockOf(file) == gainBlock && doc.selection.IsSelected("Gain") &&
           !IsSet(file.results.Gain);
}

void HideGainDependents(IndicatorResult& results) {
    results.Directivity = results.Losses = results.Efficiency = results.GFR = NOT_SET;
}

void AppendIndicatorLines(const CQuadrelDoc& doc, const PatternFile& file, std::vector<std::string>& lines) {
    LineWriter out(doc, lines);
    IndicatorResult r = file.results;
    if (HidesGainDependents(doc, file)) HideGainDependents(r);
    switch (BlockOf(file)) {
    case ResultBlock::VerticalCo:
        if (doc.Vpara.GainCalc_v == 1) GainLines(out, r);
        VerticalCoLines(out, doc, r);
        break;
    case ResultBlock::VerticalCross:
        VerticalCrossLines(out, doc, r);
        break;
    case ResultBlock::HorizontalCo:
        if (doc.Vpara.GainCalc_v == 0) GainLines(out, r);
        HorizontalCoLines(out, doc, r);
        break;
    case ResultBlock::HorizontalCross:
        HorizontalCrossLines(out, doc, r);
        break;
    case ResultBlock::Msi:
        MsiLines(out, r);
        break;
    case ResultBlock::None:
        break;
    }
}
