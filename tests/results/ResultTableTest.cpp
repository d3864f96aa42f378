#include <gtest/gtest.h>

#include "document/QuadrelDoc.h"
#include "results/ResultTable.h"

namespace {

using Row = std::vector<std::string>;

// A document whose selection holds exactly `keys`.
CQuadrelDoc WithSelection(std::initializer_list<const char*> keys) {
    CQuadrelDoc doc;
    for (const SelectionFlagInfo& flag : SelectionFlags()) doc.selection.SetValue(flag, 0);
    for (const char* key : keys) doc.selection.Set(key, 1);
    return doc;
}

PatternFile Pattern(const std::string& component, const std::string& plane, float value) {
    PatternFile file;
    file.names[kFieldComponent] = component;
    file.names[kFieldPlane] = plane;
    IndicatorResult& r = file.results;
    r.Gain = value;
    r.Efficiency = value / 100.0f;
    r.HBW3 = value + 1;
    r.VBW3 = value + 2;
    r.XPD0 = value + 3;
    r.VXPD0 = value + 4;
    return file;
}

} // namespace

TEST(ResultTable, ColumnsComeFromTheCutOfTheirGroupAndMissingCutsShowADash) {
    CQuadrelDoc doc =
        WithSelection({"Gain", "Eff", "cm_isSelHBW3dB", "cm_isSelXPD0", "cm_isSelVBW3dB", "cm_isSelVXPD0"});
    const PatternFile coh = Pattern("co", "h", 10), coe = Pattern("co", "e", 20),
                      crh = Pattern("cr", "h", 30), cre = Pattern("cr", "e", 40);
    PatternFile unset = Pattern("co", "h", -0.001f);
    unset.results.Efficiency = NOT_SET;
    const ResultGroup group{{"1710", {{"coh", &coh}, {"coe", &coe}, {"crh", &crh}, {"cre", &cre}}},
                            {"1850", {{"coh", &unset}}}};
    const ResultTable table = BuildResultTable(doc, group);
    EXPECT_EQ(table.header, (Row{"Frequency\n(MHz)", "Gain\n(dBi)", "Eff.\n(%)", "HBW\n(°)", "XPD 0\n(dB)",
                                 "VBW\n(°)", "V-XPD 0°\n(dB)"}));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (Row{"1710", "10.00", "10.00", "11.00", "33.00", "22.00", "44.00"}));
    // Only a horizontal co-polar cut: the vertical and cross-polar cells are dashes; an unknown
    // efficiency reads "not computed" (never -999.00, nor -99900 %), a gain just below zero 0.00.
    EXPECT_EQ(table.rows[1], (Row{"1850", "0.00", kNotComputed, "1.00", "-", "-", "-"}));
    EXPECT_TRUE(HasNotComputed(table));

    doc.Vpara.GainCalc_v = 1; // gain taken from the vertical pattern
    EXPECT_EQ(BuildResultTable(doc, group).rows[0][1], "20.00");
}

TEST(ResultTable, HeadersFollowTheSettingsAndBandsRepeatTheFrequency) {
    CQuadrelDoc doc = WithSelection({"cm_isSelTHP", "cm_isSelSPR", "cm_isSelSS"});
    doc.Hpara.THP_mode = 1;
    doc.Hpara.THP_xdb = {3.0f, 6.0f};
    doc.Hpara.SPR_mode = 1;
    doc.Hpara.SPR_type = 1;
    doc.Vpara.SS_sectors = {{"0", "-30"}, {"", ""}, {"150", "100"}};
    EXPECT_EQ(ResultHeader(doc), (Row{"Frequency\n(MHz)", "THP\n(3dB) ", "THP\n(6dB) ", "SPR(3dB)\n s/u(%)",
                                      "SS 0°~-30°\n(dB)", "SS 150°~100°\n(dB)"}));
    doc.Hpara.THP_mode = 0;
    doc.Hpara.SPR_mode = 0;
    doc.Hpara.SPR_type = 3;
    EXPECT_EQ(ResultHeader(doc)[1], "THP\n(60°) ");
    EXPECT_EQ(ResultHeader(doc)[2], "SPR(60°)\n u/t(%)");

    const struct {
        size_t indicators;
        std::vector<size_t> bandWidths;
    } cases[] = {{0, {1}}, {1, {2}}, {8, {9}}, {9, {9, 2}}, {10, {9, 3}}, {16, {9, 9}}, {17, {9, 9, 2}}};
    for (const auto& c : cases) {
        ResultTable table;
        table.header.push_back(kFrequencyHeader);
        Row row{"900"};
        for (size_t i = 0; i < c.indicators; ++i) {
            table.header.push_back("I" + std::to_string(i));
            row.push_back(std::to_string(i));
        }
        table.rows = {row, row};
        const std::vector<ResultTable> bands = SplitIntoBands(table);
        std::vector<size_t> widths;
        std::string joined;
        for (const ResultTable& band : bands) {
            widths.push_back(band.header.size());
            EXPECT_EQ(band.header.front(), kFrequencyHeader);
            ASSERT_EQ(band.rows.size(), 2u);
            EXPECT_EQ(band.rows[1].front(), "900");
            EXPECT_EQ(band.rows[1].size(), band.header.size());
            for (size_t i = 1; i < band.rows[0].size(); ++i) joined += band.rows[0][i] + ",";
        }
        EXPECT_EQ(widths, c.bandWidths) << c.indicators << " indicators";
        std::string expected;
        for (size_t i = 0; i < c.indicators; ++i) expected += std::to_string(i) + ",";
        EXPECT_EQ(joined, expected) << "every value once, in order";
    }
}

TEST(ResultTable, SectionsAndRowsInNumericOrder) {
    CQuadrelDoc doc = WithSelection({"Gain"});
    PatternTable patterns;
    for (const char* tilt : {"0", "10", "5"})
        for (const char* frequency : {"1710", "790", "960"}) {
            PatternFile& file = patterns[std::string("p1_") + tilt + "_" + frequency];
            file.names[kFieldPort] = "p1";
            file.names[kFieldTilt] = tilt;
            file.names[kFieldFrequency] = frequency;
            file.names[kFieldComponent] = "co";
            file.names[kFieldPlane] = "h";
        }
    const auto groups = GroupPatterns(
        patterns, [](const PatternFile& f) { return f.names[kFieldPort] + "_" + f.names[kFieldTilt]; });
    std::vector<std::string> keys;
    for (const auto& [key, group] : groups) keys.push_back(key);
    EXPECT_EQ(keys, (Row{"p1_0", "p1_5", "p1_10"}));
    std::vector<std::string> frequencies;
    for (const auto& row : BuildResultTable(doc, groups.begin()->second).rows) frequencies.push_back(row[0]);
    EXPECT_EQ(frequencies, (Row{"790", "960", "1710"}));
}
