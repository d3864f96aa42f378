#include "results/ResultTable.h"

#include <cmath>
#include <functional>

#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

namespace {

// Which cut of a frequency row a column takes its value from.
enum class Cut { Gain, Coh, Coe, Crh, Cre };

struct Column {
    std::string header;
    Cut cut;
    std::function<float(const IndicatorResult&)> value;
    bool percent = false; // a stored ratio shown as a percentage
};

// A column that every selection offers in the same form, whatever the settings.
struct FixedColumn {
    const char* key;
    const char* header;
    Cut cut;
    float (*value)(const IndicatorResult&);
    bool percent = false;
};

using R = IndicatorResult;

// The gain columns and the horizontal co-polar ones up to the sector power.
const FixedColumn kLeadingColumns[] = {
    {"Gain", "Gain\n(dBi)", Cut::Gain, [](const R& r) { return r.Gain; }},
    {"Directivity", "Directivity\n(dBi)", Cut::Gain, [](const R& r) { return r.Directivity; }},
    {"Eff", "Eff.\n(%)", Cut::Gain, [](const R& r) { return r.Efficiency; }, true},
    {"GFR", "GFR.\n(dB)", Cut::Gain, [](const R& r) { return r.GFR; }},
    {"Losses", "Losses\n(dB)", Cut::Gain, [](const R& r) { return r.Losses; }},
    {"cm_isSelHMaxLevel", "H-Max Level\n(dB)", Cut::Coh, [](const R& r) { return r.Hmax.fMag; }},
    {"cm_isSelHBW3dB", "HBW\n(°)", Cut::Coh, [](const R& r) { return r.HBW3; }},
    {"cm_isSelHBWXdB", "HBW 10dB\n(°)", Cut::Coh, [](const R& r) { return r.HBWX; }},
    {"cm_isSelPXLevel", "+60°Level\n(dB)", Cut::Coh, [](const R& r) { return r.PXLevel; }},
    {"cm_isSelNXLevel", "-60°Level\n(dB)", Cut::Coh, [](const R& r) { return r.NXLevel; }},
    {"cm_isSelFBRCO", "FBR co\n(dB)", Cut::Coh, [](const R& r) { return r.FBRco; }},
    {"cm_isSelSSMax", "SS Max\n(dB)", Cut::Coh, [](const R& r) { return r.SSmaxRel.fMag; }},
    {"cm_isSelRoundness", "Roundness\n(dB)", Cut::Coh, [](const R& r) { return r.Roundness; }},
    {"cm_isSelSquint", "Squint\n(°)", Cut::Coh, [](const R& r) { return r.Squint; }},
    {"cm_isSelSquintError", "SquintError\n(°)", Cut::Coh, [](const R& r) { return r.SquintDiff; }},
    {"cm_isSelHPS", "HPS\n(dB)", Cut::Coh, [](const R& r) { return r.HPS; }},
    {"cm_isSelLean", "Lean\n(°)", Cut::Coh, [](const R& r) { return r.Lean; }},
};
const FixedColumn kTotalPowerColumns[] = {
    {"cm_isSelTHP10dB", "THP 10dB\n(dB)", Cut::Coh, [](const R& r) { return r.THP10; }},
};
// The horizontal cross-polar columns and the vertical co-polar ones up to the side-lobe sectors.
const FixedColumn kCrossAndVerticalColumns[] = {
    {"cm_isSelFBRXP", "FBR xp\n(dB)", Cut::Crh, [](const R& r) { return r.FBRxp; }},
    {"cm_isSelFBRtot", "FBR tot\n(dB)", Cut::Crh, [](const R& r) { return r.FBRtot; }},
    {"cm_isSelXPD0", "XPD 0\n(dB)", Cut::Crh, [](const R& r) { return r.XPD0; }},
    {"cm_isSelXPDX", "XPD 20\n(dB)", Cut::Crh, [](const R& r) { return r.XPDX; }},
    {"cm_isSelXPD60deg", "XPD 60\n(dB)", Cut::Crh, [](const R& r) { return r.XPD60; }},
    {"cm_isSelXPDXdB", "XPD 3dB\n(dB)", Cut::Crh, [](const R& r) { return r.XPDXdB; }},
    {"cm_isSelXPD10dB", "XPD 10dB\n(dB)", Cut::Crh, [](const R& r) { return r.XPD10; }},
    {"cm_isSelVMaxLevel", "V-Max Level\n(dB)", Cut::Coe, [](const R& r) { return r.Vmax.fMag; }},
    {"cm_isSelVBW3dB", "VBW\n(°)", Cut::Coe, [](const R& r) { return r.VBW3; }},
    {"cm_isSelVBWXdB", "VBW 10dB\n(°)", Cut::Coe, [](const R& r) { return r.VBWX; }},
    {"cm_isSelVBP", "VBP\n(°)", Cut::Coe, [](const R& r) { return r.VBP; }},
    {"cm_isSelVBRr", "VBR(r)\n(%)", Cut::Coe, [](const R& r) { return r.VBRr; }},
    {"cm_isSelVBRs", "VBR(u)\n(%)", Cut::Coe, [](const R& r) { return r.VBRu; }},
    {"cm_isSelVBR10dB", "VBR(10dB)\n(%)", Cut::Coe, [](const R& r) { return r.VBR10; }},
    {"cm_isSelEDE", "EDE\n(°)", Cut::Coe, [](const R& r) { return r.EDE; }},
    {"cm_isSelFSU", "FSU\n(dB)", Cut::Coe, [](const R& r) { return r.FSU.fMag; }},
    {"cm_isSelSSU", "SSU\n(dB)", Cut::Coe, [](const R& r) { return r.SSU.fMag; }},
    {"cm_isSelTSU", "TSU\n(dB)", Cut::Coe, [](const R& r) { return r.TSU.fMag; }},
    {"cm_isSelFSD", "FSD\n(dB)", Cut::Coe, [](const R& r) { return r.FSD.fMag; }},
    {"cm_isSelNF", "NF\n(dB)", Cut::Coe, [](const R& r) { return r.NF; }},
    {"cm_isSelFN", "F.N.\n(°)", Cut::Coe, [](const R& r) { return r.FN; }},
};
const FixedColumn kVerticalCrossColumns[] = {
    {"cm_isSelVXPD0", "V-XPD 0°\n(dB)", Cut::Cre, [](const R& r) { return r.VXPD0; }},
    {"cm_isSelVXPDX", "V-XPD 3dB\n(dB)", Cut::Cre, [](const R& r) { return r.VXPDX; }},
};

// Builds the selected columns in display order; a column whose flag is off is left out.
class ColumnList {
  public:
    explicit ColumnList(const IndicatorSelection& selection) : m_selection(selection) {}
    void Add(const char* key, std::string header, Cut cut, std::function<float(const R&)> value,
             bool percent = false) {
        if (m_selection.IsSelected(key))
            m_columns.push_back({std::move(header), cut, std::move(value), percent});
    }
    template <size_t N> void Add(const FixedColumn (&table)[N]) {
        for (const FixedColumn& c : table) Add(c.key, c.header, c.cut, c.value, c.percent);
    }
    std::vector<Column> Take() { return std::move(m_columns); }

  private:
    const IndicatorSelection& m_selection;
    std::vector<Column> m_columns;
};

// THP: one column at the angle, or one per level (at most ten) when measured by levels.
void AddTotalPowerColumns(const HPara& h, ColumnList& columns) {
    if (h.THP_mode == 0) {
        columns.Add("cm_isSelTHP", "THP\n(" + FormatFixed(h.THP_xdeg, 0) + "°" + ") ", Cut::Coh,
                    [](const R& r) { return r.THP[0]; });
        return;
    }
    for (size_t i = 0; i < h.THP_xdb.size() && i < 10; ++i)
        columns.Add("cm_isSelTHP", "THP\n(" + FormatFixed(h.THP_xdb[i], 0) + "dB" + ") ", Cut::Coh,
                    [i](const R& r) { return r.THP[i]; });
}

// SPR's header names its sector and which powers it divides.
void AddSectorPowerColumn(const HPara& h, ColumnList& columns) {
    static const char* const kSprKinds[] = {"u/s", "s/u", "s/t", "u/t"};
    const std::string sector =
        h.SPR_mode == 0 ? FormatFixed(h.SPR_xdeg, 0) + "°" : FormatFixed(h.SPR_xdb, 0) + "dB";
    const int sprType = h.SPR_type >= 0 && h.SPR_type < 4 ? h.SPR_type : 0;
    columns.Add("cm_isSelSPR", "SPR(" + sector + ")\n " + kSprKinds[sprType] + "(%)", Cut::Coh,
                [](const R& r) { return r.SPR; });
}

// Sector rows without a start are not computed by the analysis, so they get no column.
void AddSideLobeSectorColumns(const VPara& v, ColumnList& columns) {
    for (size_t i = 0; i < v.SS_sectors.size() && i < 10; ++i) {
        if (v.SS_sectors[i].first.empty()) continue;
        columns.Add("cm_isSelSS", "SS " + v.SS_sectors[i].first + "°~" + v.SS_sectors[i].second + "°\n(dB)",
                    Cut::Coe, [i](const R& r) { return r.VSS[i]; });
    }
}

std::vector<Column> SelectedColumns(const CQuadrelDoc& doc) {
    ColumnList columns(doc.selection);
    columns.Add(kLeadingColumns);
    AddTotalPowerColumns(doc.Hpara, columns);
    columns.Add(kTotalPowerColumns);
    AddSectorPowerColumn(doc.Hpara, columns);
    columns.Add(kCrossAndVerticalColumns);
    AddSideLobeSectorColumns(doc.Vpara, columns);
    columns.Add(kVerticalCrossColumns);
    return columns.Take();
}

const char* CutKey(Cut cut, const CQuadrelDoc& doc) {
    switch (cut) {
    case Cut::Gain:
        return doc.Vpara.GainCalc_v == 1 ? "coe" : "coh";
    case Cut::Coh:
        return "coh";
    case Cut::Coe:
        return "coe";
    case Cut::Crh:
        return "crh";
    case Cut::Cre:
        return "cre";
    }
    return "coh";
}

} // namespace

std::vector<std::string> ResultHeader(const CQuadrelDoc& doc) {
    std::vector<std::string> header{kFrequencyHeader};
    for (const Column& column : SelectedColumns(doc)) header.push_back(column.header);
    return header;
}

ResultTable BuildResultTable(const CQuadrelDoc& doc, const ResultGroup& group) {
    const std::vector<Column> columns = SelectedColumns(doc);
    ResultTable table;
    table.header = ResultHeader(doc);
    for (const auto& [frequency, cuts] : group) {
        std::vector<std::string> row{frequency};
        for (const Column& column : columns) {
            auto it = cuts.find(CutKey(column.cut, doc));
            if (it == cuts.end()) {
                row.push_back("-");
                continue;
            }
            const float value = column.value(it->second->results);
            if (value == NOT_SET || !std::isfinite(value)) {
                row.push_back(kNotComputed);
                continue;
            }
            std::string text = FormatFixed(column.percent ? value * 100.0 : value, 2);
            // A level just below zero (the maximum itself) is still zero to the reader.
            if (text == "-0.00") text = "0.00";
            row.push_back(std::move(text));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

bool HasNotComputed(const ResultTable& table) {
    for (const auto& row : table.rows)
        for (const std::string& cell : row)
            if (cell == kNotComputed) return true;
    return false;
}

std::vector<ResultTable> SplitIntoBands(const ResultTable& table, size_t maxColumns) {
    std::vector<ResultTable> bands;
    if (maxColumns < 2 || table.header.empty()) return {table};
    const size_t perBand = maxColumns - 1; // every band repeats the frequency column
    const size_t indicators = table.header.size() - 1;
    for (size_t first = 0; first < indicators || (indicators == 0 && bands.empty()); first += perBand) {
        const size_t last = std::min(indicators, first + perBand);
        auto slice = [&](const std::vector<std::string>& cells) {
            std::vector<std::string> out{cells.empty() ? std::string() : cells[0]};
            for (size_t c = first + 1; c <= last && c < cells.size(); ++c) out.push_back(cells[c]);
            return out;
        };
        ResultTable band;
        band.header = slice(table.header);
        for (const auto& row : table.rows) band.rows.push_back(slice(row));
        bands.push_back(std::move(band));
        if (indicators == 0) break;
    }
    return bands;
}
