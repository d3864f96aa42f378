#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/PrimitivesTestCuts.h"
#include "analysis/VerticalIndicators.h"
#include "document/QuadrelDoc.h"

namespace {

constexpr double kDeg = M_PI / 180.0;

// An 8-element column, 0.8 wavelength spacing, steered 6 degrees down, cardioid element pattern.
// Its nulls lie where sin(a) = sin(6) + k / (8 * 0.8).
constexpr double kSteer = 6.0;
constexpr double kNullStepU = 1.0 / (8 * 0.8);

double ArrayLevel(double a) {
    const double x = M_PI * 0.8 * (std::sin(a * kDeg) - std::sin(kSteer * kDeg));
    const double factor = std::fabs(x) < 1e-12 ? 1.0 : std::fabs(std::sin(8 * x) / (8 * std::sin(x)));
    const double element = (1.0 + std::cos(a * kDeg)) / 2.0;
    return 20.0 * std::log10(factor * element + 1e-3);
}

double NullAngle(int k) {
    return std::asin(std::sin(kSteer * kDeg) + k * kNullStepU) / kDeg;
}

// The greatest level of the analytic pattern between two angles, on a fine grid.
std::pair<double, double> FinePeak(double from, double to) {
    std::pair<double, double> best{from, ArrayLevel(from)};
    for (double a = from; a <= to; a += 0.0005)
        if (ArrayLevel(a) > best.second) best = {a, ArrayLevel(a)};
    return best;
}

// Where the analytic level crosses `level` between an angle inside and one outside the beam.
double FineCrossing(double inside, double outside, double level) {
    for (int i = 0; i < 60; ++i) {
        const double mid = (inside + outside) / 2.0;
        (ArrayLevel(mid) > level ? inside : outside) = mid;
    }
    return inside;
}

PatternFile VerticalFile(Cut cut, const std::string& tilt) {
    PatternFile file;
    file.names = MakeNames("p45", "e", "co", tilt);
    file.samples = std::move(cut);
    return file;
}

TEST(VerticalIndicatorsTest, ArrayFactorCutMatchesAnalyticTruth) {
    CQuadrelDoc doc;
    PatternFile file = VerticalFile(MakeCut(ArrayLevel), "6");
    RunVerticalCoPolarIndicators(doc, file, file.samples, file.results);
    const IndicatorResult& r = file.results;

    const auto [peakAngle, peakLevel] = FinePeak(0.0, 12.0);
    EXPECT_NEAR(r.VBP, peakAngle, 0.1);
    EXPECT_NEAR(r.EDE, peakAngle - 6.0, 0.1);

    const double upper3 = FineCrossing(peakAngle, NullAngle(-1), peakLevel - 3.0);
    const double lower3 = FineCrossing(peakAngle, NullAngle(1), peakLevel - 3.0);
    EXPECT_NEAR(r.VBW3, lower3 - upper3, 0.2);
    const double upper10 = FineCrossing(peakAngle, NullAngle(-1), peakLevel - 10.0);
    const double lower10 = FineCrossing(peakAngle, NullAngle(1), peakLevel - 10.0);
    EXPECT_NEAR(r.VBWX, lower10 - upper10, 0.2);

    EXPECT_NEAR(r.FN, NullAngle(-1), 0.5);
    EXPECT_NEAR(r.NullLow, NullAngle(1), 0.5);
    EXPECT_GT(r.NF, 25.0f); // a null of an ideal array is deep

    struct Lobe {
        const char* name;
        PatternPoint found;
        int nullFrom, nullTo;
    };
    const Lobe lobes[] = {
        {"FSU", r.FSU, -2, -1},
        {"SSU", r.SSU, -3, -2},
        {"TSU", r.TSU, -4, -3},
        {"FSD", r.FSD, 1, 2},
    };
    for (const Lobe& lobe : lobes) {
        SCOPED_TRACE(lobe.name);
        const double from = std::min(NullAngle(lobe.nullFrom), NullAngle(lobe.nullTo));
        const double to = std::max(NullAngle(lobe.nullFrom), NullAngle(lobe.nullTo));
        const auto [angle, level] = FinePeak(from, to);
        EXPECT_NEAR(lobe.found.fAngle, angle, 0.5);
        EXPECT_NEAR(lobe.found.fMag, peakLevel - level, 0.3);
    }
    EXPECT_EQ(r.FSUlobe.fAngle, r.FSU.fAngle);
    EXPECT_NEAR(r.FSUlobe.fMag, r.Vmax.fMag - r.FSU.fMag, 1e-4);
}

TEST(VerticalIndicatorsTest, TiltErrorFoldsHalfTurns) {
    struct Case {
        double peak;
        const char* tilt;
        float ede;
    };
    const Case cases[] = {
        {176.0, "6", -10.0f}, // 170 is a beam looking backwards: -10
        {-176.0, "-6", 10.0f},
        {8.0, "6", 2.0f},
        {-150.0, "6", -156.0f}, // outside the folded bands
    };
    CQuadrelDoc doc;
    doc.Vpara.FSU_envcal = 0; // no side lobes here
    for (const Case& c : cases) {
        SCOPED_TRACE(c.peak);
        PatternFile file = VerticalFile(MakeCut(GaussianBeam(c.peak, 4.0)), c.tilt);
        RunVerticalCoPolarIndicators(doc, file, file.samples, file.results);
        EXPECT_NEAR(file.results.EDE, c.ede, 1e-3);
    }

    // An empty cut changes nothing but the folding of the stored value.
    PatternFile empty = VerticalFile({}, "6");
    empty.results.EDE = 170.0f;
    RunVerticalCoPolarIndicators(doc, empty, empty.samples, empty.results);
    EXPECT_FLOAT_EQ(empty.results.EDE, -10.0f);
    EXPECT_EQ(empty.results.VBW3, NOT_SET);
}

// A cut of five samples, power ratios worked out by hand: regions [-180, s], [s, 90], [90, 180], each
// (sum of linear powers, edge samples halved) * width / (n - 1).
TEST(VerticalIndicatorsTest, PowerRatiosFollowTheTrapezoidRule) {
    const Cut cut{{-90.0f, -12.0f}, {0.0f, 0.0f}, {45.0f, -10.0f}, {90.0f, -10.0f}, {180.0f, -20.0f}};
    CQuadrelDoc doc;
    doc.Vpara.FSU_envcal = 0;
    PatternFile file = VerticalFile(cut, "0");
    RunVerticalCoPolarIndicators(doc, file, file.samples, file.results);
    const IndicatorResult& r = file.results;
    const double p90 = std::pow(10.0, -1.2);
    const double lower = (0.1 / 2 + 0.01 / 2) * 90.0;
    // VBR(r): start at the peak (0). Upper region: -90 at full weight, 0 halved, one interval.
    const double insideR = (0.5 + 0.1 + 0.05) * 90.0 / 2;
    EXPECT_NEAR(r.VBRr, insideR * 100.0 / ((p90 + 0.5) * 180.0 + lower + insideR), 1e-3);
    // VBR(u): start at -5.6; the upper region holds one sample only and spans no interval.
    const double insideU = (1.0 + 0.1 + 0.05) * 95.6 / 2;
    EXPECT_NEAR(r.VBRu, insideU * 100.0 / (lower + insideU), 1e-3);
    // VBR(10dB): -90 lies below -10 dB with the next sample above, so the region starts there.
    const double inside10 = (p90 / 2 + 1.0 + 0.1 + 0.05) * 180.0 / 3;
    EXPECT_NEAR(r.VBR10, inside10 * 100.0 / (lower + inside10), 1e-3);
}

TEST(VerticalIndicatorsTest, PowerRatioOfAPowerlessCutIsNotSet) {
    // Levels so low that every power is 0 in double: 0/0 must not become a number.
    Cut cut = MakeCut([](double) { return -4000.0; });
    cut[400].fMag = -3990.0f;
    CQuadrelDoc doc;
    doc.Vpara.FSU_envcal = 0;
    PatternFile file = VerticalFile(cut, "0");
    RunVerticalCoPolarIndicators(doc, file, file.samples, file.results);
    EXPECT_EQ(file.results.VBRr, NOT_SET);
    EXPECT_EQ(file.results.VBRu, NOT_SET);
}

TEST(VerticalIndicatorsTest, UnselectedSideLobeRoutinesLeaveTheRecordAlone) {
    CQuadrelDoc doc;
    for (const char* key : {"cm_isSelFSU", "cm_isSelSSU", "cm_isSelTSU", "cm_isSelSS"})
        doc.selection.Set(key, 0);
    PatternFile file = VerticalFile(MakeCut(ArrayLevel), "6");
    RunVerticalCoPolarIndicators(doc, file, file.samples, file.results);
    EXPECT_EQ(file.results.FSU.fMag, NOT_SET);
    EXPECT_EQ(file.results.SSU.fMag, NOT_SET);
    EXPECT_EQ(file.results.VSS[0], NOT_SET);
    EXPECT_NE(file.results.FSD.fMag, NOT_SET); // always computed

    // The second lobe is searched from the first, so it computes FSU itself.
    doc.selection.Set("cm_isSelSSU", 1);
    RunVerticalCoPolarIndicators(doc, file, file.samples, file.results);
    EXPECT_NE(file.results.FSU.fMag, NOT_SET);
    EXPECT_NE(file.results.SSU.fMag, NOT_SET);
    EXPECT_EQ(file.results.TSU.fMag, NOT_SET);
}

} // namespace
