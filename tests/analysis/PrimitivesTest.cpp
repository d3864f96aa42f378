#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/Primitives.h"
#include "analysis/PrimitivesTestCuts.h"

namespace {

Cut TwoEqualMaxima() {
    // Peaks of 0 dB at -10 and +10, everything else lower; the deepest points tie at -30.
    return MakeCut([](double a) {
        if (a == -10.0 || a == 10.0) return 0.0;
        if (a == -100.0 || a == 100.0) return -30.0;
        return -20.0 + std::cos(a * M_PI / 180.0);
    });
}

TEST(PrimitivesTest, FindMaxMinKeepsTheFirstOfTiedSamples) {
    const MaxMin mm = FindMaxMin(TwoEqualMaxima());
    EXPECT_FLOAT_EQ(mm.max.fAngle, -10.0f);
    EXPECT_FLOAT_EQ(mm.max.fMag, 0.0f);
    EXPECT_FLOAT_EQ(mm.min.fAngle, -100.0f);
    EXPECT_FLOAT_EQ(mm.min.fMag, -30.0f);

    const MaxMin none = FindMaxMin(Cut{});
    EXPECT_EQ(none.max.fAngle, NOT_SET);
    EXPECT_EQ(none.min.fMag, NOT_SET);
}

TEST(PrimitivesTest, MaxInRangeAveragesTiedDirectionsAndIncludesBounds) {
    const Cut cut = TwoEqualMaxima();
    struct Case {
        double a, b;
        float level, angle;
    };
    const Case cases[] = {
        {-179.5, 180.0, 0.0f, 0.0f}, // both peaks: mean direction 0
        {10.0, -10.0, 0.0f, 0.0f},   // bounds in either order, both included
        {-9.5, 10.0, 0.0f, 10.0f},   // only the right peak
        {-90.0, -95.0, static_cast<float>(-20.0 + std::cos(90.0 * M_PI / 180.0)), -90.0f},
    };
    for (const Case& c : cases) {
        const auto m = MaxInRange(cut, c.a, c.b);
        ASSERT_TRUE(m.has_value()) << c.a << " " << c.b;
        EXPECT_FLOAT_EQ(m->level, c.level) << c.a << " " << c.b;
        EXPECT_NEAR(m->angle, c.angle, 1e-5) << c.a << " " << c.b;
    }
    EXPECT_FALSE(MaxInRange(cut, 0.1, 0.4).has_value());
    EXPECT_FALSE(MaxInRange(Cut{}, -180, 180).has_value());
}

TEST(PrimitivesTest, LevelAtInterpolatesInsideTheCutOnly) {
    const Cut cut{{-10.0f, -20.0f}, {0.0f, 0.0f}, {10.0f, -10.0f}};
    struct Case {
        double x;
        bool found;
        double level;
    };
    const Case cases[] = {{0.0, true, 0.0},  {-10.0, true, -20.0}, {10.0, true, -10.0}, {-5.0, true, -10.0},
                          {2.5, true, -2.5}, {-10.01, false, 0.0}, {10.01, false, 0.0}};
    for (const Case& c : cases) {
        const auto level = LevelAt(cut, c.x);
        ASSERT_EQ(level.has_value(), c.found) << c.x;
        if (c.found) EXPECT_NEAR(*level, c.level, 1e-9) << c.x;
    }
}

TEST(PrimitivesTest, BeamEdgesOfAnalyticBeamsMatchTheTrueWidth) {
    struct Case {
        double centre, halfWidth, x;
    };
    const Case cases[] = {{0.0, 32.5, 3.0}, {12.3, 45.0, 3.0}, {-7.0, 9.0, 3.0}, {0.0, 32.5, 10.0}};
    for (const Case& c : cases) {
        Cut cut = MakeCut(GaussianBeam(c.centre, c.halfWidth));
        IndicatorResult r;
        r.Hmax = FindMaxMin(cut).max;
        const auto [left, right] = BeamEdges(cut, r, MakeNames("P45", "h", "co"), c.x);
        const double trueHalf = c.halfWidth * std::sqrt(c.x / 3.0);
        EXPECT_NEAR(right - left, 2.0 * trueHalf, 0.2) << c.centre << " " << c.x;
        EXPECT_NEAR((left + right) / 2.0, c.centre, 0.1) << c.centre << " " << c.x;
        EXPECT_FLOAT_EQ(r.Vmax.fMag, r.Hmax.fMag); // the edge search records the cut's extremes
    }
}

TEST(PrimitivesTest, BeamEdgesFailureCases) {
    IndicatorResult r;
    const NameFields names = MakeNames("P45", "e", "co");
    // The level never drops 3 dB on the right side before the cut ends.
    Cut oneSided = MakeCut([](double a) { return a < 0.0 ? -0.2 * (-a) : -0.01 * a; }, -150.0, 150.0);
    EXPECT_EQ(BeamEdges(oneSided, r, names, 3.0), (std::pair<double, double>{0.0, 0.0}));
    // Only the first sample lies below the threshold on the left: it is not tested.
    Cut firstOnly{{-2.0f, -10.0f}, {-1.0f, -1.0f}, {0.0f, 0.0f}, {1.0f, -1.0f}, {2.0f, -10.0f}};
    EXPECT_EQ(BeamEdges(firstOnly, r, names, 3.0), (std::pair<double, double>{0.0, 0.0}));
    // The last sample is tested on the right.
    Cut lastTested{{-3.0f, -10.0f}, {-2.0f, -10.0f}, {-1.0f, -1.0f},
                   {0.0f, 0.0f},    {1.0f, -1.0f},   {2.0f, -10.0f}};
    const auto edges = BeamEdges(lastTested, r, names, 3.0);
    EXPECT_NEAR(edges.first, -1.0 - 2.0 / 9.0, 1e-9);
    EXPECT_NEAR(edges.second, 1.0 + 2.0 / 9.0, 1e-9);
    // X below 0.1 is refused; an empty cut leaves the record alone.
    EXPECT_EQ(BeamEdges(lastTested, r, names, 0.05), (std::pair<double, double>{0.0, 0.0}));
    IndicatorResult fresh;
    Cut empty;
    EXPECT_EQ(BeamEdges(empty, fresh, names, 3.0), (std::pair<double, double>{0.0, 0.0}));
    EXPECT_EQ(fresh.Vmax.fMag, NOT_SET);
}

TEST(PrimitivesTest, BeamEdgesOfHorizontalCutStartAtTheReferenceLevel) {
    // Reference level -1 dB (the level of the nominal direction): the search starts at the first
    // sample with that level, the -1 dB point left of the peak, and looks for -4 dB.
    Cut cut = MakeCut(GaussianBeam(0.0, 10.0));
    IndicatorResult r;
    r.Hmax = PatternPoint{0.0f, cut[359 - 10].fMag}; // level at -5 degrees: -0.75 dB
    const auto [left, right] = BeamEdges(cut, r, MakeNames("P45", "h", "co"), 3.0);
    const double halfWidth = 10.0 * std::sqrt(3.75 / 3.0);
    EXPECT_NEAR(left, -halfWidth, 0.05);
    EXPECT_NEAR(right, halfWidth, 0.05);
    // A reference level that no sample carries finds no peak.
    r.Hmax.fMag = 5.0f;
    EXPECT_EQ(BeamEdges(cut, r, MakeNames("P45", "h", "co"), 3.0), (std::pair<double, double>{0.0, 0.0}));
}

TEST(PrimitivesTest, BeamEdgesTurnsBackwardV90CutsAndGivesThemBack) {
    Cut cut = MakeCut(GaussianBeam(170.0, 4.0));
    const Cut original = cut;
    IndicatorResult r;
    const auto [left, right] = BeamEdges(cut, r, MakeNames("V90", "E", "co"), 3.0);
    EXPECT_NEAR(std::abs(right - left), 8.0, 0.2);
    EXPECT_NEAR(r.VBP, 170.0f, 0.05);
    EXPECT_NEAR(r.Vmax.fAngle, -10.0f, 1e-4); // found in the turned cut
    ASSERT_EQ(cut.size(), original.size());
    EXPECT_TRUE(std::equal(cut.begin(), cut.end(), original.begin(), [](const auto& a, const auto& b) {
        return a.fAngle == b.fAngle && a.fMag == b.fMag;
    }));
}

TEST(PrimitivesTest, ParabolicPeakFindsTheVertex) {
    const Cut parabola = MakeCut([](double a) { return -2.0 * (a - 0.2) * (a - 0.2) - 1.0; }, -5.0, 5.0);
    const PatternPoint p = ParabolicPeak(parabola, 0.0, -2.0 * 0.04 - 1.0);
    EXPECT_NEAR(p.fAngle, 0.2, 1e-5);
    EXPECT_NEAR(p.fMag, -1.0, 1e-5);

    // Collinear levels have no vertex: the centre sample comes back.
    const Cut line = MakeCut([](double a) { return a; }, -5.0, 5.0);
    const PatternPoint c = ParabolicPeak(line, 1.0, 1.0);
    EXPECT_FLOAT_EQ(c.fAngle, 1.0f);
    EXPECT_FLOAT_EQ(c.fMag, 1.0f);

    // A missing neighbour counts as 0 dB: at the last sample (5, -10) with (4.5, -8) the fit
    // runs through (5.5, 0).
    const Cut edge{{4.5f, -8.0f}, {5.0f, -10.0f}};
    const PatternPoint e = ParabolicPeak(edge, 5.0, -10.0);
    const double curvature = 0.0 + -8.0 + 20.0, slope = 0.0 - -8.0;
    EXPECT_NEAR(e.fAngle, 5.0 - 0.5 * slope / (2 * curvature), 1e-5);
}

TEST(PrimitivesTest, RotateCutFoldsIntoTheHalfOpenCircle) {
    Cut cut = MakeCut([](double a) { return a / 1000.0; });
    const Cut original = cut;
    RotateCut(cut, 180.0);
    ASSERT_EQ(cut.size(), original.size());
    EXPECT_TRUE(std::is_sorted(cut.begin(), cut.end(),
                               [](const auto& a, const auto& b) { return a.fAngle < b.fAngle; }));
    struct Case {
        float from, to;
    };
    for (const Case c : {Case{0.0f, 180.0f}, Case{0.5f, -179.5f}, Case{-179.5f, 0.5f}, Case{180.0f, 0.0f}}) {
        auto it = std::find_if(cut.begin(), cut.end(), [&](const PatternPoint& p) {
            return p.fMag == static_cast<float>(c.from / 1000.0);
        });
        ASSERT_NE(it, cut.end());
        EXPECT_EQ(it->fAngle, c.to) << c.from;
    }
    EXPECT_EQ(cut.front().fAngle, -179.5f);
    EXPECT_EQ(cut.back().fAngle, 180.0f);
    RotateCut(cut, -180.0);
    for (size_t i = 0; i < cut.size(); ++i) {
        EXPECT_EQ(cut[i].fAngle, original[i].fAngle);
        EXPECT_EQ(cut[i].fMag, original[i].fMag);
    }
}

TEST(PrimitivesTest, RotateCutSortsArbitraryTurnsStably) {
    Cut cut{{-90.0f, 1.0f}, {0.0f, 2.0f}, {90.0f, 3.0f}, {180.0f, 4.0f}};
    RotateCut(cut, 100.0);
    const float expected[] = {-170.0f, -80.0f, 10.0f, 100.0f};
    const float levels[] = {3.0f, 4.0f, 1.0f, 2.0f};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(cut[i].fAngle, expected[i]);
        EXPECT_EQ(cut[i].fMag, levels[i]);
    }
}

TEST(PrimitivesTest, IntegratePowerIsTheTrapezoidSum) {
    EXPECT_DOUBLE_EQ(IntegratePower({0.5, 1.0, 1.0, 0.5}, -1.5, 1.5), 3.0);
    EXPECT_DOUBLE_EQ(IntegratePower({0.5, 0.5}, 2.0, 1.0), 1.0);
    EXPECT_EQ(IntegratePower({1.0}, 0.0, 1.0), 0.0);
    EXPECT_EQ(IntegratePower({}, 0.0, 1.0), 0.0);
}

} // namespace
