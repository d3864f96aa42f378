#include <gtest/gtest.h>

#include <functional>

#include "commands/ResultCommands.h"
#include "results/IndicatorLines.h"
#include "results/ResultPanes.h"
#include "results/ResultTestSupport.h"

namespace {
using Lines = std::vector<std::string>;

const std::string kHCo = "p1_p45_h_co_6_0_1800.msi";
const std::string kHCr = "p1_p45_h_cr_6_0_1800.msi";
const std::string kVCo = "p1_p45_e_co_6_0_1800.msi";
const std::string kVCr = "p1_p45_e_cr_6_0_1800.msi";

// One indicator alone: the flag that shows it, the cut it belongs to, how settings and record are
// set up, and the lines it gives.
struct LineCase {
    const char* flag;
    std::string fileName;
    std::function<void(CQuadrelDoc&, IndicatorResult&)> setUp;
    Lines expected;
};

Lines IndicatorLinesOf(const CQuadrelDoc& doc, const PatternFile& file) {
    Lines lines;
    AppendIndicatorLines(doc, file, lines);
    return lines;
}

TEST(ResultLines, EachIndicatorInItsFormat) {
    const std::vector<LineCase> cases = {
        {"cm_isSelVMaxLevel",
         kVCo,
         [](auto&, auto& r) {
             r.Vmax = {3.0f, -1.234f};
         },
         {"V-Max Level : -1.23dB"}},
        {"cm_isSelVBW3dB", kVCo, [](auto&, auto& r) { r.VBW3 = 6.875f; }, {"VBW : 6.88°"}},
        {"cm_isSelVBWXdB",
         kVCo,
         [](auto& d, auto& r) {
             d.Vpara.VBW_xdb = 2.5f; // %.0f rounds half to even, as printf does
             r.VBWX = 12.0f;
         },
         {"VBW 2dB : 12.00°"}},
        // A value that rounds to zero reads without a sign.
        {"cm_isSelVBP", kVCo, [](auto&, auto& r) { r.VBP = -0.004f; }, {"VBP : 0.00°"}},
        {"cm_isSelVBRr", kVCo, [](auto&, auto& r) { r.VBRr = 41.5f; }, {"VBR(r) : 41.50%"}},
        {"cm_isSelVBRs", kVCo, [](auto&, auto& r) { r.VBRu = 7.25f; }, {"VBR(u) : 7.25%"}},
        {"cm_isSelVBR10dB", kVCo, [](auto&, auto& r) { r.VBR10 = 3.0f; }, {"VBR(10dB) : 3.00%"}},
        {"cm_isSelEDE", kVCo, [](auto&, auto& r) { r.EDE = -0.5f; }, {"EDE : -0.50°"}},
        {"cm_isSelFSU",
         kVCo,
         [](auto&, auto& r) {
             r.FSU = {8.0f, 17.06f};
         },
         {"FSU : 17.06dB"}},
        {"cm_isSelSSU",
         kVCo,
         [](auto&, auto& r) {
             r.SSU = {20.0f, 21.0f};
         },
         {"SSU : 21.00dB"}},
        {"cm_isSelTSU",
         kVCo,
         [](auto&, auto& r) {
             r.TSU = {30.0f, 25.0f};
         },
         {"TSU : 25.00dB"}},
        {"cm_isSelFSD",
         kVCo,
         [](auto&, auto& r) {
             r.FSD = {-8.0f, 19.0f};
         },
         {"FSD : 19.00dB"}},
        {"cm_isSelNF", kVCo, [](auto&, auto& r) { r.NF = -18.2f; }, {"NF : -18.20dB"}},
        {"cm_isSelFN", kVCo, [](auto&, auto& r) { r.FN = 12.0f; }, {"F. N : 12.00°"}},
        {"cm_isSelVXPD0", kVCr, [](auto&, auto& r) { r.VXPD0 = 25.0f; }, {"V-XPD 0° : 25.00dB"}},
        {"cm_isSelVXPDX", kVCr, [](auto&, auto& r) { r.VXPDX = 19.5f; }, {"V-XPD 3dB : 19.50dB"}},
        {"cm_isSelHMaxLevel",
         kHCo,
         [](auto&, auto& r) {
             r.Hmax = {0.0f, -2.0f}; // the reference point is not the true maximum
             r.HmaxRaw = {4.0f, -1.5f};
         },
         {"H-Max Level : -1.50dB"}},
        {"cm_isSelHBW3dB", kHCo, [](auto&, auto& r) { r.HBW3 = 65.432f; }, {"HBW : 65.43°"}},
        {"cm_isSelHBWXdB", kHCo, [](auto&, auto& r) { r.HBWX = 120.0f; }, {"HBW 10dB : 120.00°"}},
        {"cm_isSelPXLevel",
         kHCo,
         [](auto& d, auto& r) {
             d.Hpara.PX_level = 65;
             r.PXLevel = -10.0f;
         },
         {"+65° Level : -10.00dB"}},
        {"cm_isSelNXLevel", kHCo, [](auto&, auto& r) { r.NXLevel = -9.5f; }, {"-60° Level : -9.50dB"}},
        {"cm_isSelFBRCO", kHCo, [](auto&, auto& r) { r.FBRco = 28.54f; }, {"FBR CO : 28.54dB"}},
        {"cm_isSelSSMax",
         kHCo,
         [](auto&, auto& r) {
             r.SSmaxRel = {120.0f, -22.0f};
         },
         {"SS Max : -22.00dB"}},
        {"cm_isSelRoundness", kHCo, [](auto&, auto& r) { r.Roundness = 1.0f; }, {"Roundness : 1.00dB"}},
        {"cm_isSelSquint", kHCo, [](auto&, auto& r) { r.Squint = 3.75f; }, {"Squint : 3.75°"}},
        {"cm_isSelSquintError", kHCo, [](auto&, auto& r) { r.SquintDiff = 1.0f; }, {"SquintError : 1.00°"}},
        {"cm_isSelHPS", kHCo, [](auto&, auto& r) { r.HPS = 0.25f; }, {"HPS : 0.25dB"}},
        {"cm_isSelLean", kHCo, [](auto&, auto& r) { r.Lean = -1.0f; }, {"Lean : -1.00°"}},
        {"cm_isSelTHP10dB", kHCo, [](auto&, auto& r) { r.THP10 = 2.0f; }, {"THP 10dB : 2.00dB"}},
        {"cm_isSelFBRXP", kHCr, [](auto&, auto& r) { r.FBRxp = 30.0f; }, {"FBR XP : 30.00dB"}},
        {"cm_isSelFBRtot", kHCr, [](auto&, auto& r) { r.FBRtot = 26.95f; }, {"FBR tot : 26.95dB"}},
        {"cm_isSelXPD0", kHCr, [](auto&, auto& r) { r.XPD0 = 19.73f; }, {"XPD 0 : 19.73dB"}},
        {"cm_isSelXPDX",
         kHCr,
         [](auto& d, auto& r) {
             d.Hpara.XPD_xdeg = 20.5f;
             r.XPDX = 15.76f;
         },
         {"XPD 20° : 15.76dB"}},
        {"cm_isSelXPD60deg", kHCr, [](auto&, auto& r) { r.XPD60 = 12.0f; }, {"XPD 60 : 12.00dB"}},
        {"cm_isSelXPDXdB", kHCr, [](auto&, auto& r) { r.XPDXdB = 14.0f; }, {"XPD 3dB : 14.00dB"}},
        {"cm_isSelXPD10dB", kHCr, [](auto&, auto& r) { r.XPD10 = 11.0f; }, {"XPD 10dB : 11.00dB"}},
        {"Gain", kHCo, [](auto&, auto& r) { r.Gain = 17.555f; }, {"Gain : 17.56dBi"}},
        {"Directivity", kHCo, [](auto&, auto& r) { r.Directivity = 18.0f; }, {"Directivity : 18.00dBi"}},
        {"Losses", kHCo, [](auto&, auto& r) { r.Losses = 0.45f; }, {"Losses : 0.45dB"}},
        {"Eff", kHCo, [](auto&, auto& r) { r.Efficiency = 0.9f; }, {"Eff : 90.00%"}},
        {"GFR", kHCo, [](auto&, auto& r) { r.GFR = 0.6f; }, {"GFR : 0.60dB"}},
    };
    for (const LineCase& c : cases) {
        CQuadrelDoc doc;
        SelectNothing(doc);
        PatternFile& file = AddPattern(doc, c.fileName);
        c.setUp(doc, file.results);
        EXPECT_EQ(IndicatorLinesOf(doc, file), Lines{}) << c.flag << " shown while off";
        doc.selection.Set(c.flag, 1);
        EXPECT_EQ(IndicatorLinesOf(doc, file), c.expected) << c.flag;
    }
}

TEST(ResultLines, NotSetValuesAreSkippedOnlyWhereTheTableSaysSo) {
    CQuadrelDoc doc;
    PatternFile& hco = AddPattern(doc, kHCo);
    PatternFile& hcr = AddPattern(doc, kHCr);
    PatternFile& vcr = AddPattern(doc, kVCr);
    doc.Vpara.SS_manual = doc.Vpara.SS_auto = "FALSE";
    // Every flag on, every value NOT_SET: the lines without a check print -999.00.
    EXPECT_EQ(IndicatorLinesOf(doc, hco),
              (Lines{"H-Max Level : -999.00dB", "HBW : -999.00°", "HBW 10dB : -999.00°",
                     "+60° Level : -999.00dB", "-60° Level : -999.00dB", "FBR CO : -999.00dB",
                     "SS Max : -999.00dB", "Roundness : -999.00dB", "Squint : -999.00°", "Lean : -999.00°"}));
    EXPECT_EQ(IndicatorLinesOf(doc, hcr), Lines{});
    EXPECT_EQ(IndicatorLinesOf(doc, vcr), Lines{});

    PatternFile& vco = AddPattern(doc, kVCo);
    EXPECT_EQ(IndicatorLinesOf(doc, vco).size(), 14u); // rows 6 to 19 of the vertical table
}

TEST(ResultLines, GainLinesFollowTheGainCalculationPlane) {
    CQuadrelDoc doc;
    SelectNothing(doc);
    for (const char* flag : {"Gain", "Directivity", "Losses", "Eff", "GFR"}) doc.selection.Set(flag, 1);
    auto fill = [](PatternFile& file) {
        file.results.Gain = 17.0f;
        file.results.Directivity = 18.0f;
        file.results.Losses = 1.0f;
        file.results.Efficiency = 0.5f;
        file.results.GFR = 0.25f;
    };
    PatternFile& h = AddPattern(doc, kHCo);
    PatternFile& v = AddPattern(doc, kVCo);
    PatternFile& hcr = AddPattern(doc, kHCr);
    fill(h), fill(v), fill(hcr);
    const Lines all = {"Gain : 17.00dBi", "Directivity : 18.00dBi", "Losses : 1.00dB", "Eff : 50.00%",
                       "GFR : 0.25dB"};

    doc.Vpara.GainCalc_v = 0;
    EXPECT_EQ(IndicatorLinesOf(doc, h), all);
    EXPECT_EQ(IndicatorLinesOf(doc, v), Lines{});
    EXPECT_EQ(IndicatorLinesOf(doc, hcr), Lines{});
    doc.Vpara.GainCalc_v = 1;
    EXPECT_EQ(IndicatorLinesOf(doc, h), Lines{});
    EXPECT_EQ(IndicatorLinesOf(doc, v), all);

    // A missing gain takes the other four with it, in the record too once shown; only on the gain
    // plane.
    h.results.Gain = NOT_SET;
    v.results.Gain = NOT_SET;
    EXPECT_EQ(IndicatorLinesOf(doc, v), Lines{});
    EXPECT_EQ(v.results.Directivity, 18.0f); // building the lines leaves the record alone
    KeepShownGainBlanking(doc, {v.path, h.path});
    EXPECT_EQ(v.results.Directivity, NOT_SET);
    EXPECT_EQ(v.results.Losses, NOT_SET);
    EXPECT_EQ(v.results.Efficiency, NOT_SET);
    EXPECT_EQ(v.results.GFR, NOT_SET);
    EXPECT_EQ(IndicatorLinesOf(doc, h), Lines{});
    EXPECT_EQ(h.results.Directivity, 18.0f);

    // Without the gain flag the others stand on their own.
    doc.Vpara.GainCalc_v = 0;
    doc.selection.Set("Gain", 0);
    EXPECT_EQ(IndicatorLinesOf(doc, h),
              (Lines{"Directivity : 18.00dBi", "Losses : 1.00dB", "Eff : 50.00%", "GFR : 0.25dB"}));
    EXPECT_EQ(h.results.Directivity, 18.0f);
}

TEST(ResultLines, SideSuppressionManualAndAutomatic) {
    CQuadrelDoc doc;
    SelectNothing(doc);
    doc.selection.Set("cm_isSelSS", 1);
    PatternFile& v = AddPattern(doc, kVCo);
    doc.Vpara.SS_sectors = {{"0", "-30"}, {"-30", "-150"}, {"+5", "10"}, {"", "7"}, {"8", "9"},
                            {"", ""},     {"", ""},        {"", ""},     {"", ""},  {"", ""}};
    v.results.VSS = {15.0f, -250.0f, -200.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f, 9.0f, 10.0f};

    struct Case {
        const char* manual;
        const char* automatic;
        Lines expected;
    };
    const Lines manual = {"SS 0°~-30° : 15.00dB", "SS +5°~10° : -200.00dB"};
    const Lines automatic = {"SS 0°~-30° : 15.00dB", "SS -30°~-150° : -250.00dB", "SS +5°~10° : -200.00dB",
                             "SS °~7° : 4.00dB",     "SS 8°~9° : 5.00dB",         "SS °~° : 6.00dB",
                             "SS °~° : 7.00dB",      "SS °~° : 8.00dB",           "SS °~° : 9.00dB",
                             "SS °~° : 10.00dB"};
    Lines both = manual;
    both.insert(both.end(), automatic.begin(), automatic.end());
    const std::vector<Case> cases = {
        {"TRUE", "FALSE", manual},
        {"FALSE", "TRUE", automatic},
        {"TRUE", "TRUE", both},
        {"true", "", {}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        doc.Vpara.SS_manual = c.manual;
        doc.Vpara.SS_auto = c.automatic;
        EXPECT_EQ(IndicatorLinesOf(doc, v), c.expected) << c.manual << "/" << c.automatic;
    }
}

TEST(ResultLines, TrackingAndSectorPowerLines) {
    CQuadrelDoc doc;
    SelectNothing(doc);
    doc.selection.Set("cm_isSelTHP", 1);
    PatternFile& h = AddPattern(doc, kHCo);
    h.results.THP = {0.5f, 1.25f, NOT_SET, 4, 5, 6, 7, 8, 9, 10};

    doc.Hpara.THP_mode = 1;
    doc.Hpara.THP_xdb = {3.0f, 6.0f, 10.0f};
    EXPECT_EQ(IndicatorLinesOf(doc, h),
              (Lines{"THP 3dB : 0.50dB", "THP 6dB : 1.25dB", "THP 10dB : -999.00dB"}));
    // More sector settings than the record holds: the record's ten, no more.
    doc.Hpara.THP_xdb.assign(12, 3.0f);
    EXPECT_EQ(IndicatorLinesOf(doc, h).size(), 10u);
    doc.Hpara.THP_mode = 0;
    doc.Hpara.THP_xdeg = 60.0f;
    EXPECT_EQ(IndicatorLinesOf(doc, h), Lines{"THP 60 : 0.50dB"});
    h.results.THP[0] = NOT_SET;
    EXPECT_EQ(IndicatorLinesOf(doc, h), Lines{});

    SelectNothing(doc);
    doc.selection.Set("cm_isSelSPR", 1);
    h.results.SPR = 0.123456789f;
    struct Case {
        int mode, type;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {0, 0, "SPR60° u/s: 12.3457%"}, {0, 1, "SPR60° s/u: 12.3457%"}, {0, 2, "SPR60° s/t: 12.3457%"},
        {0, 3, "SPR60° u/t: 12.3457%"}, {1, 2, "SPR3dB s/t: 12.3457%"},
    };
    for (const Case& c : cases) {
        doc.Hpara.SPR_mode = c.mode;
        doc.Hpara.SPR_type = c.type;
        EXPECT_EQ(IndicatorLinesOf(doc, h), Lines{c.expected});
    }
    for (int type : {-1, 4}) {
        doc.Hpara.SPR_type = type;
        EXPECT_EQ(IndicatorLinesOf(doc, h), Lines{});
    }
    doc.Hpara.SPR_type = 2;
    h.results.SPR = NOT_SET;
    EXPECT_EQ(IndicatorLinesOf(doc, h), Lines{});
}

TEST(ResultLines, FilesOutsideTheNamingScheme) {
    CQuadrelDoc doc;
    SelectNothing(doc);
    PatternFile& msi = AddPattern(doc, "Antenna1.MSI");
    msi.results.Gain = 15.0f;
    msi.results.HBW3 = 65.0f;
    EXPECT_EQ(IndicatorLinesOf(doc, msi), Lines{"Gain : 15.00dBi"}); // the gain line needs no flag
    doc.selection.Set("cm_isSelVBW3dB", 1);
    doc.selection.Set("cm_isSelHBW3dB", 1);
    EXPECT_EQ(IndicatorLinesOf(doc, msi), (Lines{"Gain : 15.00dBi", "VBW : -999.00°", "HBW : 65.00°"}));
    msi.results.Gain = NOT_SET;
    EXPECT_EQ(IndicatorLinesOf(doc, msi), (Lines{"VBW : -999.00°", "HBW : 65.00°"}));

    doc.selectionList = {msi.key};
    EXPECT_EQ(BuildCurrentResultLines(doc),
              (Lines{"File Name : Antenna1.MSI", "VBW : -999.00°", "HBW : 65.00°"}));
    const auto rows = BuildAllResultRows(doc);
    EXPECT_EQ(rows[1][0], "VBW : -999.00°"); // "msi" files start right under the name
    EXPECT_EQ(rows[2][0], "HBW : 65.00°");
}

TEST(CurrentResults, OneHorizontalFileWithTheMarkInformation) {
    CQuadrelDoc doc;
    SelectNothing(doc);
    doc.selection.Set("cm_isSelHBW3dB", 1);
    PatternFile& h = AddPattern(doc, kHCo);
    h.results.HBW3 = 65.0f;
    doc.selectionList = {h.key};
    const std::string readout = "Angle：12.00°　Level：-3.00dB";
    EXPECT_EQ(BuildCurrentResultLines(doc, readout),
              (Lines{"", "Antenna type : QX65", "File Name : p1_p45_h_co_6_0_1800", "Date : 20261208",
                     "HBW : 65.00°", "", "=====Mark Information=====", readout}));
    EXPECT_EQ(BuildCurrentResultLines(doc).size(), 5u); // no view, no mark information
}

TEST(CurrentResults, WhichSelectionsAreShown) {
    CQuadrelDoc doc;
    SelectNothing(doc);
    doc.selection.Set("cm_isSelXPD0", 1);
    PatternFile& hco = AddPattern(doc, kHCo);
    PatternFile& hcr = AddPattern(doc, kHCr);
    PatternFile& other = AddPattern(doc, "p5_p45_h_co_6_0_900.msi", "A_B_other_D_E_F");
    PatternFile& lone = AddPattern(doc, "p7_x_h_cr_6_0_900.msi", "A_B_lone_D_E_F");
    hcr.results.XPD0 = 20.0f;

    doc.selectionList = {};
    EXPECT_EQ(BuildCurrentResultLines(doc, std::string("r")), Lines{});
    EXPECT_EQ(BuildAllResultRows(doc).size(), 0u);

    // A co-polar file with its cross-polar partner: both blocks, in selection order.
    doc.selectionList = {hcr.key, hco.key};
    EXPECT_EQ(BuildCurrentResultLines(doc),
              (Lines{"", "File Name : p1_p45_h_cr_6_0_1800", "XPD 0 : 20.00dB", "", "Antenna type : QX65",
                     "File Name : p1_p45_h_co_6_0_1800", "Date : 20261208"}));

    // Two files of which neither has a partner cut loaded.
    doc.selectionList = {other.key, lone.key};
    EXPECT_EQ(BuildCurrentResultLines(doc), Lines{});
    // One of the two having a loaded partner is enough, even when that partner is not selected.
    AddPattern(doc, "p6_m45_h_co_6_0_900.msi", "A_B_other_D_E_F");
    EXPECT_FALSE(BuildCurrentResultLines(doc).empty());

    doc.selectionList = {hco.key, hcr.key, other.key};
    EXPECT_EQ(BuildCurrentResultLines(doc), Lines{});
    const auto rows = BuildAllResultRows(doc);
    ASSERT_EQ(rows.size(), kAllResultsRows);
    for (const auto& row : rows) EXPECT_EQ(row.size(), 3u);
    EXPECT_EQ(rows[0][1], "File Name : " + kHCr);
    EXPECT_EQ(rows[1][1], "");
    EXPECT_EQ(rows[2][1], "");
    EXPECT_EQ(rows[3][1], "XPD 0 : 20.00dB");
}

TEST(AllResults, MissingFilesAndTheRowLimit) {
    CQuadrelDoc doc;
    PatternFile& h = AddPattern(doc, kHCo);
    h.results.Gain = 17.0f;
    h.results.Directivity = 18.0f;
    h.results.Losses = 1.0f;
    h.results.Efficiency = 0.8f;
    h.results.GFR = 0.5f;
    h.results.THP.fill(1.0f);
    h.results.THP10 = 2.0f;
    h.results.SPR = 0.5f;
    h.results.SquintDiff = 0.1f;
    h.results.HPS = 0.2f;
    doc.Vpara.GainCalc_v = 0;
    doc.Hpara.THP_mode = 1;
    doc.Hpara.THP_xdb.assign(10, 3.0f);
    Lines lines;
    AppendIndicatorLines(doc, h, lines);
    ASSERT_EQ(lines.size(), 29u); // 5 gain lines, 12 more, 10 THP, THP 10dB, SPR

    doc.selectionList = {"/m/gone/p9_p45_h_co_6_0_1800.msi", h.key};
    const auto rows = BuildAllResultRows(doc);
    ASSERT_EQ(rows.size(), kAllResultsRows);
    EXPECT_EQ(rows[0][0], "File Name : p9_p45_h_co_6_0_1800.msi");
    for (size_t row = 1; row < kAllResultsRows; ++row) EXPECT_EQ(rows[row][0], "");
    EXPECT_EQ(rows[0][1], "File Name : " + kHCo);
    for (size_t row = 3; row < kAllResultsRows; ++row) EXPECT_EQ(rows[row][1], lines[row - 3]);
    EXPECT_EQ(rows[27][1], lines[24]); // the last four lines do not fit
}
} // namespace
