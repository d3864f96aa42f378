#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "NamedPatterns.h"
#include "analysis/GainCurves.h"
#include "analysis/GainIndicators.h"
#include "analysis/GainSeries.h"
#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"
#include "document/ResultDraft.h"

namespace {

// One preparation as a command runs it: drafted, then committed.
void Prepare(CQuadrelDoc& doc, const PatternFile& file) {
    ResultDraft draft;
    RunPreparationGroup(doc, file, draft);
    doc.CommitResults(std::move(draft));
}

// C0(1800) = -10.2, GL(1800) = -12.0 (interpolated), GV(1800) = 15.5; C0(1850) = 0 marks a gap.
void AddGainCurves(CQuadrelDoc& doc) {
    AddCurve(doc, "gain level_p1_p45_e_co_6_0.txt",
             {{1710.0f, -9.0f}, {1800.0f, -10.2f}, {1850.0f, 0.0f}, {1900.0f, -11.0f}});
    AddCurve(doc, "gain level_1710_2170.txt", {{1700.0f, -11.0f}, {1900.0f, -13.0f}});
    AddCurve(doc, "gain value_1710_2170.txt", {{1710.0f, 15.0f}, {1800.0f, 15.5f}, {2170.0f, 16.0f}});
    doc.noGainFlag = 1;
    doc.Vpara.GainCalc_v = 1;
}

TEST(GainIndicatorsTest, GainIsSubstitutedFromTheThreeCurves) {
    CQuadrelDoc doc;
    AddGainCurves(doc);
    PatternFile& file = AddPattern(doc, "p1_p45_e_co_6_0_1800.msi");
    Prepare(doc, file);
    EXPECT_NEAR(file.results.Gain, 17.3f, 1e-4);
    // An MSI header is a frequency, not a directivity.
    EXPECT_EQ(file.results.Directivity, NOT_SET);
    EXPECT_EQ(file.results.Losses, NOT_SET);
    EXPECT_EQ(file.results.Efficiency, NOT_SET);
    EXPECT_FLOAT_EQ(file.results.GFR, 0.0f);
}

TEST(GainIndicatorsTest, LevelCurveKeyTakesTheGainPlane) {
    struct Case {
        const char* pattern;
        bool gainFromVertical;
        const char* curve;
    };
    const Case cases[] = {
        {"p1_p45_h_co_6_0_1800.msi", true, "gain level_p1_p45_e_co_6_0.txt"},
        {"p1_p45_h_co_6_0_1800.msi", false, "gain level_p1_p45_h_co_6_0.txt"},
        {"p1_p45_e_co_6_0_1800.msi", false, "gain level_p1_p45_h_co_6_0.txt"},
        // The plane letter is switched as written; an upper-case "_H" stays the horizontal curve.
        {"P1_P45_H_CO_6_0_1800.msi", true, "gain level_p1_p45_h_co_6_0.txt"},
        {"P1_P45_e_CO_6_0_1800.msi", false, "gain level_p1_p45_h_co_6_0.txt"},
    };
    for (const Case& c : cases) {
        PatternFile file;
        file.path = kTest + c.pattern;
        EXPECT_EQ(LevelCurveKey(file, c.gainFromVertical), kGainFolder + c.curve) << c.pattern;
    }
    EXPECT_EQ(GainFolderOf("/a/b/test/p1.msi"), "/a/b/Gain Level/");
}

TEST(GainIndicatorsTest, MissingCurvesLeaveTheGainAsItIs) {
    struct Case {
        const char* name;
        const char* pattern;
        bool gainFromVertical;
        float expected;
    };
    const Case cases[] = {
        {"horizontal pattern reads the vertical curve", "p1_p45_h_co_6_0_1800.msi", true, 17.3f},
        {"horizontal curve is absent", "p1_p45_e_co_6_0_1800.msi", false, 5.0f},
        {"below the reference curves", "p1_p45_e_co_6_0_1705.msi", true, 5.0f},
        {"above the reference ranges", "p1_p45_e_co_6_0_2200.msi", true, 5.0f},
        {"C0 has no point at f", "p1_p45_e_co_6_0_1750.msi", true, NOT_SET},
        {"C0 of 0 at f counts as no point", "p1_p45_e_co_6_0_1850.msi", true, NOT_SET},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQuadrelDoc doc;
        AddGainCurves(doc);
        doc.Vpara.GainCalc_v = c.gainFromVertical ? 1 : 0;
        PatternFile& file = AddPattern(doc, c.pattern, 5.0f);
        Prepare(doc, file);
        EXPECT_NEAR(file.results.Gain, c.expected, 1e-4);
    }

    // Gains from the file itself are kept when the curves are not asked for.
    CQuadrelDoc doc;
    AddGainCurves(doc);
    doc.noGainFlag = 0;
    PatternFile& file = AddPattern(doc, "p1_p45_e_co_6_0_1800.msi", 5.0f);
    Prepare(doc, file);
    EXPECT_FLOAT_EQ(file.results.Gain, 5.0f);
}

TEST(GainIndicatorsTest, LossesAndEfficiencyNeedGainAndDirectivity) {
    struct Case {
        PatternSource source;
        float header, gain;
        float directivity, losses, efficiency;
    };
    const Case cases[] = {
        {PatternSource::ExactData, 18.0f, 17.0f, 18.0f, 1.0f, 0.7943f},
        {PatternSource::ExactData, 18.0f, NOT_SET, 18.0f, NOT_SET, NOT_SET},
        {PatternSource::Msi, 1800.0f, 17.0f, NOT_SET, NOT_SET, NOT_SET},
        {PatternSource::Encrypted, 1800.0f, 17.0f, NOT_SET, NOT_SET, NOT_SET},
    };
    for (const Case& c : cases) {
        CQuadrelDoc doc;
        PatternFile& file = AddPattern(doc, "p1_p45_h_co_6_0_1800.msi", c.gain);
        file.source = c.source;
        file.headerValue = c.header;
        Prepare(doc, file);
        EXPECT_FLOAT_EQ(file.results.Directivity, c.directivity);
        EXPECT_NEAR(file.results.Losses, c.losses, 1e-4);
        EXPECT_NEAR(file.results.Efficiency, c.efficiency, 1e-4);
    }
}

TEST(GainIndicatorsTest, GainSpreadCoversTheSeriesAndSkipsUnknownGains) {
    CQuadrelDoc doc;
    AddPattern(doc, "p1_p45_h_co_6_0_1710.msi", 16.8f);
    AddPattern(doc, "p1_p45_h_co_6_0_1800.msi", 17.1f);
    AddPattern(doc, "p1_p45_h_co_6_0_1900.msi", NOT_SET);
    AddPattern(doc, "p1_p45_h_co_6_0_2170.msi", 17.4f);
    AddPattern(doc, "p1_p45_h_co_8_0_1800.msi", 25.0f); // other tilt: another series
    for (auto& [key, file] : doc.table) {
        Prepare(doc, file);
        file.results.flags[kDonePrep] = true;
    }
    for (const char* name :
         {"p1_p45_h_co_6_0_1710.msi", "p1_p45_h_co_6_0_1800.msi", "p1_p45_h_co_6_0_2170.msi"})
        EXPECT_NEAR(doc.table.at(ToLower(kTest + name)).results.GFR, 0.6f, 1e-5) << name;
    EXPECT_EQ(doc.table.at(ToLower(kTest + "p1_p45_h_co_6_0_1900.msi")).results.GFR, NOT_SET);
    EXPECT_FLOAT_EQ(doc.table.at(ToLower(kTest + "p1_p45_h_co_8_0_1800.msi")).results.GFR, 0.0f);
}

TEST(GainIndicatorsTest, GainSpreadFromCurvesDoesNotDependOnTheOrderOfAnalysis) {
    CQuadrelDoc doc;
    AddGainCurves(doc);
    for (const char* name :
         {"p1_p45_e_co_6_0_1710.msi", "p1_p45_e_co_6_0_1800.msi", "p1_p45_e_co_6_0_1900.msi"})
        AddPattern(doc, name);
    // Gains 17.1 (1710), 17.3 (1800) and about 17.64 (1900, GV interpolated).
    std::vector<float> spreads;
    for (auto& [key, file] : doc.table) {
        Prepare(doc, file);
        file.results.flags[kDonePrep] = true;
        spreads.push_back(file.results.GFR);
    }
    float largest = NOT_SET, smallest = -NOT_SET;
    for (auto& [key, file] : doc.table) {
        largest = std::max(largest, file.results.Gain);
        smallest = std::min(smallest, file.results.Gain);
    }
    ASSERT_GT(largest - smallest, 0.1f);
    for (float spread : spreads) EXPECT_NEAR(spread, largest - smallest, 1e-5);
}

TEST(GainIndicatorsTest, CurveNamesCarryTheirFrequencyRange) {
    struct Case {
        const char* name;
        bool found;
        double low, high;
    };
    const Case cases[] = {
        {"gain level_1710_2170.txt", true, 1710, 2170},
        {"gain value_2170_1710.txt", true, 1710, 2170},
        {"1710-2170 v-plane.txt", true, 1710, 2170},
        {"v-plane_690mhz_960mhz.txt", true, 690, 960},
        {"gain level_p1_p45_e_co_6_0.txt", true, 0, 6},
        {"gain value.txt", false, 0, 0},
        {"v-plane_1800.txt", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto range = NameFrequencyRange(c.name);
        ASSERT_EQ(range.has_value(), c.found);
        if (!range) continue;
        EXPECT_EQ(range->low, c.low);
        EXPECT_EQ(range->high, c.high);
    }
}

// Horizontal cut as samples 0..359 (0..180, then -179..-1), the vertical cut after them.
Cut TwoCutSamples(double hCentre, double hHalf, double vCentre, double vHalf) {
    Cut samples;
    for (int part = 0; part < 2; ++part)
        for (int i = 0; i < 360; ++i) {
            const double angle = i <= 180 ? i : i - 360;
            const double centre = part == 0 ? hCentre : vCentre;
            const double half = part == 0 ? hHalf : vHalf;
            const double u = std::remainder(angle - centre, 360.0) / half;
            samples.push_back({static_cast<float>(angle), static_cast<float>(std::max(-40.0, -3.0 * u * u))});
        }
    return samples;
}

TEST(GainIndicatorsTest, TwoCutFileGivesBothBeamwidths) {
    CQuadrelDoc doc;
    PatternFile file;
    file.names[kFieldPlane] = "msi";
    file.samples = TwoCutSamples(0.0, 32.5, 6.0, 3.5);
    RunMsiFileStep(doc, file, file.results);
    EXPECT_NEAR(file.results.HBW3, 65.0f, 0.1);
    EXPECT_NEAR(file.results.VBW3, 7.0f, 0.1);

    // Right edge of a beam at -5 between -2 (inside) and -1 (outside): the -1 sample is no neighbour,
    // the crossing is interpolated towards 0 instead.
    file.samples = TwoCutSamples(0.0, 32.5, -5.0, 3.5);
    file.results = IndicatorResult{};
    RunMsiFileStep(doc, file, file.results);
    EXPECT_NEAR(file.results.VBW3, 6.8705f, 1e-3);

    // Beams across +-180 degrees: the crossings are found round the circle.
    for (const double centre : {180.0, -179.0, 179.5}) {
        file.samples = TwoCutSamples(centre, 32.5, centre, 3.5);
        file.results = IndicatorResult{};
        RunMsiFileStep(doc, file, file.results);
        EXPECT_NEAR(file.results.HBW3, 65.0f, 0.1) << centre;
        EXPECT_NEAR(file.results.VBW3, 7.0f, 0.1) << centre;
    }

    // A horizontal part only: the vertical width stays as it was.
    file.samples.resize(360);
    file.results.VBW3 = 1.0f;
    RunMsiFileStep(doc, file, file.results);
    EXPECT_FLOAT_EQ(file.results.VBW3, 1.0f);
    EXPECT_NEAR(file.results.HBW3, 65.0f, 0.1);
}

} // namespace

// A pass keeps each curve gain it computed; the next pass must see curves changed in between
// (same number of curves, other values) and a setting turned, or gains go stale.
TEST(GainIndicatorsTest, CurveGainsAreKeptOnlyForOnePass) {
    CQuadrelDoc doc;
    AddGainCurves(doc);
    PatternFile& file = AddPattern(doc, "p1_p45_e_co_6_0_1800.msi", 5.0f);
    AddPattern(doc, "p1_p45_e_co_6_0_1900.msi", 5.0f);
    auto passGain = [&] {
        const CurveGainPass pass(doc);
        return CurveGainOf(doc, file).value_or(NOT_SET);
    };
    EXPECT_NEAR(passGain(), 17.3f, 1e-4);
    doc.gainCurves[kGainFolder + "gain value_1710_2170.txt"].points = {{1710.0f, 20.0f}, {2170.0f, 20.0f}};
    EXPECT_NEAR(passGain(), 21.8f, 1e-4);
    doc.Vpara.GainCalc_v = 0; // the horizontal level curve is absent
    EXPECT_EQ(passGain(), NOT_SET);
}
