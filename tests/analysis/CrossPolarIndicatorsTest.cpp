#include <gtest/gtest.h>

#include <cmath>

#include "analysis/CrossPolarIndicators.h"
#include "analysis/HorizontalTracking.h"
#include "analysis/Primitives.h"
#include "analysis/PrimitivesTestCuts.h"

namespace {

HPara PeakReference() {
    HPara h;
    h.RefLevel_mode = 0;
    h.RefAngle_mode = 0;
    return h;
}

// A co-polar beam and a cross-polar cut lying `xpd(angle)` dB below it.
struct Pair {
    Cut co, cross;
    IndicatorResult coRecord, crossRecord;
    NameFields coNames = MakeNames("P45", "h", "co"), crossNames = MakeNames("P45", "h", "cr");
    PartnerCut Co() { return PartnerCut{co, coRecord, coNames}; }
};
Pair MakePair(const std::function<double(double)>& coLevel, const std::function<double(double)>& xpd,
              double first = -179.5, double last = 180.0) {
    Pair p;
    p.co = MakeCut(coLevel, first, last);
    p.cross = MakeCut([&](double a) { return coLevel(a) - xpd(a); }, first, last);
    return p;
}

TEST(CrossPolarIndicatorsTest, XpdInSectorsAndBeams) {
    // XPD grows away from 0 degrees: 15 dB at boresight, +0.1 dB per degree.
    Pair p = MakePair(GaussianBeam(0.0, 32.5), [](double a) { return 15.0 + 0.1 * std::abs(a); });
    struct Case {
        float xdeg, xdb;
        float xpdx, xpdxdb;
    };
    const Case cases[] = {{20.0f, 3.0f, 15.0f, 15.0f}, {0.0f, 3.0f, 15.0f, 15.0f}};
    for (const Case& c : cases) {
        HPara h = PeakReference();
        h.XPD_xdeg = c.xdeg;
        h.XPD_xdb = c.xdb;
        RunHorizontalCrossPolarGroup(p.cross, p.crossRecord, h, p.crossNames, p.Co());
        EXPECT_NEAR(p.crossRecord.XPDX, c.xpdx, 1e-4);
        EXPECT_NEAR(p.crossRecord.XPDXdB, c.xpdxdb, 1e-4);
        EXPECT_NEAR(p.crossRecord.XPD10, 15.0f, 1e-4);
        EXPECT_NEAR(p.crossRecord.XPD60, 15.0f, 1e-4);
        EXPECT_NEAR(p.crossRecord.XPD0, 15.0f, 1e-4);
    }
}

TEST(CrossPolarIndicatorsTest, XpdAtZeroDegreesAloneWhenTheSectorIsZero) {
    // XPD is smallest away from boresight; a sector of 0 degrees sees only the 0 degree sample.
    Pair p = MakePair(GaussianBeam(0.0, 32.5), [](double a) { return 25.0 - 0.1 * std::abs(a); });
    HPara h = PeakReference();
    h.XPD_xdeg = 0.0f;
    ComputeXpdInSectors(p.cross, p.crossRecord, h, p.Co());
    EXPECT_NEAR(p.crossRecord.XPDX, 25.0f, 1e-4);
    EXPECT_NEAR(p.crossRecord.XPD60, 19.0f, 1e-4);
}

TEST(CrossPolarIndicatorsTest, SamplesArePairedByIndexNotByAngle) {
    Pair p = MakePair(GaussianBeam(0.0, 32.5), [](double) { return 20.0; });
    // The cross-polar cut is shifted by one sample: index i pairs co angle a with cross angle a + 0.5.
    p.cross.erase(p.cross.begin());
    HPara h = PeakReference();
    h.XPD_xdeg = 0.0f;
    ComputeXpdInSectors(p.cross, p.crossRecord, h, p.Co());
    const double co0 = 0.0, cross05 = -3.0 * (0.5 / 32.5) * (0.5 / 32.5) - 20.0;
    EXPECT_NEAR(p.crossRecord.XPDX, co0 - cross05, 1e-4);
}

TEST(CrossPolarIndicatorsTest, FrontToBackRatiosOfTheCrossPolarCut) {
    // Co-polar back lobe -25 dB at 180, cross-polar -22 dB at 175 and -40 elsewhere behind.
    auto co = [](double a) {
        return std::max(GaussianBeam(0.0, 32.5)(a), -25.0 - 0.5 * std::abs(std::abs(a) - 180.0));
    };
    Pair p;
    p.co = MakeCut(co);
    p.cross = MakeCut([](double a) { return a == 175.0 ? -22.0 : -40.0; });
    struct Case {
        int xdeg, tdeg;
        float fbrxp, fbrtot;
    };
    const float totalAt175 =
        static_cast<float>(-10.0 * std::log10(std::pow(10.0, -27.5 / 10.0) + std::pow(10.0, -2.2)));
    const float totalAt180 =
        static_cast<float>(-10.0 * std::log10(std::pow(10.0, -2.5) + std::pow(10.0, -4.0)));
    const float totalAt0 = static_cast<float>(-10.0 * std::log10(1.0 + std::pow(10.0, -4.0)));
    const Case cases[] = {
        {-180, 30, 22.0f, totalAt175}, // window through 180
        {-180, 3, 40.0f, totalAt180},  // window [177, -177]: 175 outside
        {0, 30, 22.0f, totalAt0},      // through 0: the pieces [-180, -30] and [30, 180] hold 175
        {90, 30, 22.0f, NOT_SET},      // [60, 120]: no straddle; the pieces reach 180
    };
    for (const Case& c : cases) {
        HPara h = PeakReference();
        h.FBR_xdeg = c.xdeg;
        h.FBR_tdeg = c.tdeg;
        IndicatorResult r;
        ComputeCrossFrontToBack(p.cross, r, h, p.crossNames, p.Co());
        ComputeTotalFrontToBack(p.cross, r, h, p.crossNames, p.Co());
        EXPECT_NEAR(r.FBRxp, c.fbrxp, 1e-4) << c.xdeg << " " << c.tdeg;
        if (c.fbrtot == NOT_SET)
            EXPECT_EQ(r.FBRtot, NOT_SET) << c.xdeg << " " << c.tdeg;
        else if (c.xdeg == 0)
            EXPECT_NEAR(r.FBRtot, 10.0 * -std::log10(1.0 + std::pow(10.0, -4.0)),
                        1e-4); // 0 dB co, -40 dB cross
        else
            EXPECT_NEAR(r.FBRtot, c.fbrtot, 1e-3) << c.xdeg << " " << c.tdeg;
        EXPECT_FLOAT_EQ(p.coRecord.Hmax.fMag, 0.0f); // the partner's reference was recomputed
    }
}

TEST(CrossPolarIndicatorsTest, BackWindowStartingAtMinus180IsFoldedOnce) {
    // A beam towards 30 degrees: the window [-180, -120] behind it starts at -180, which folds to
    // 180 once; folded twice it came back to -180 and the window seemed to straddle nothing.
    Pair p = MakePair(GaussianBeam(30.0, 32.5), [](double) { return 20.0; });
    HPara h = PeakReference();
    h.FBR_xdeg = -180;
    h.FBR_tdeg = 30;
    IndicatorResult r;
    ComputeCrossFrontToBack(p.cross, r, h, p.crossNames, p.Co()); // sets the co-polar reference
    ComputeTotalFrontToBack(p.cross, r, h, p.crossNames, p.Co());
    EXPECT_NE(r.FBRtot, NOT_SET);
    EXPECT_GT(r.FBRtot, 0.0f);
}

TEST(CrossPolarIndicatorsTest, XpdAtTheNominalDirection) {
    // The co level is read at the last sample not beyond the nominal direction + 1.
    Pair p = MakePair([](double a) { return -std::abs(a - 10.0) / 10.0; }, [](double a) { return 20.0 + a; });
    HPara h = PeakReference();
    h.RefAngle_mode = 1;
    const NameFields names = MakeNames("P45", "h", "cr", "0", "4");
    ComputeXpdAtReference(p.cross, p.crossRecord, h, names, p.Co());
    const double coAt5 = -0.5, crossAt4 = -0.6 - 24.0;
    EXPECT_NEAR(p.crossRecord.XPD0, coAt5 - crossAt4, 1e-4);

    h.RefAngle_mode = 0; // at the co-polar peak, 10 degrees
    ComputeXpdAtReference(p.cross, p.crossRecord, h, names, p.Co());
    EXPECT_NEAR(p.crossRecord.XPD0, 30.0, 1e-4);
    EXPECT_FLOAT_EQ(p.coRecord.HmaxRaw.fAngle, 10.0f);
}

TEST(CrossPolarIndicatorsTest, MissingBeamEdgesGiveNoBeamXpd) {
    // The co-polar cut never falls 10 dB on its right side before it ends (a full circle would go
    // on round to the left side's low levels).
    Pair p = MakePair([](double a) { return a < 0.0 ? 0.2 * a : -0.02 * a; }, [](double) { return 20.0; },
                      -150.0, 150.0);
    HPara h = PeakReference();
    ComputeReferencePoint(p.co, p.coRecord, h, p.coNames);
    ComputeXpdInBeams(p.cross, p.crossRecord, h, p.Co());
    EXPECT_NEAR(p.crossRecord.XPDXdB, 20.0f, 1e-4);
    EXPECT_EQ(p.crossRecord.XPD10, NOT_SET);
}

TEST(CrossPolarIndicatorsTest, EmptyCutsChangeNothing) {
    Pair p = MakePair(GaussianBeam(0.0, 32.5), [](double) { return 20.0; });
    Cut empty;
    IndicatorResult r;
    RunHorizontalCrossPolarGroup(empty, r, PeakReference(), p.crossNames, p.Co());
    RunVerticalCrossPolarGroup(empty, r, VPara{}, p.Co());
    EXPECT_EQ(r.FBRxp, NOT_SET);
    EXPECT_EQ(r.XPD60, NOT_SET);
    EXPECT_EQ(p.coRecord.Hmax.fMag, NOT_SET);
    PartnerCut none{empty, p.coRecord, p.coNames};
    RunHorizontalCrossPolarGroup(p.cross, r, PeakReference(), p.crossNames, none);
    EXPECT_EQ(r.XPD0, NOT_SET);
}

TEST(CrossPolarIndicatorsTest, VerticalXpd) {
    Pair p = MakePair(GaussianBeam(-6.0, 4.0), [](double a) { return 18.0 + 0.5 * std::abs(a + 6.0); });
    p.coNames = MakeNames("P45", "e", "co", "6");
    VPara v;
    v.VXPD_xdb = 3.0f;
    RunVerticalCrossPolarGroup(p.cross, p.crossRecord, v, p.Co());
    EXPECT_FLOAT_EQ(p.coRecord.Vmax.fAngle, -6.0f);
    EXPECT_NEAR(p.crossRecord.VXPD0, 18.0f, 1e-4);
    EXPECT_NEAR(p.crossRecord.VXPDX, 18.0f, 1e-4);
}

// Two co-polar cuts of one port, for tracking.
struct Polarisations {
    Cut f, q;
    IndicatorResult fr, qr;
    NameFields fNames = MakeNames("P45", "h", "co"), qNames = MakeNames("M45", "h", "co");
    PartnerCut Q() { return PartnerCut{q, qr, qNames}; }
    void Run(const HPara& h) {
        ComputeReferencePoint(f, fr, h, fNames);
        ComputeTracking(f, fr, h, fNames, Q());
        ComputeTracking10(f, fr, h, fNames, Q());
    }
};

TEST(CrossPolarIndicatorsTest, IdenticalPolarisationsTrackPerfectly) {
    for (int mode : {0, 1}) {
        Polarisations p{MakeCut(GaussianBeam(0.0, 32.5)), MakeCut(GaussianBeam(0.0, 32.5))};
        HPara h = PeakReference();
        h.THP_mode = mode;
        h.THP_xdb = {3.0f, 6.0f, 10.0f};
        p.Run(h);
        EXPECT_NEAR(p.fr.THP[0], 0.0f, 1e-4) << mode;
        EXPECT_NEAR(p.fr.THP10, 0.0f, 1e-4);
        for (size_t i = 1; i < 10; ++i) {
            if (mode == 1 && i < 3)
                EXPECT_NEAR(p.fr.THP[i], 0.0f, 1e-4) << i;
            else
                EXPECT_EQ(p.fr.THP[i], NOT_SET) << mode << " " << i;
        }
    }
}

TEST(CrossPolarIndicatorsTest, TrackingOfShiftedBeams) {
    // q is f turned by 4 degrees: at f's right 3 dB edge (32.5) q lies 3 dB - level drop.
    Polarisations p{MakeCut(GaussianBeam(0.0, 32.5)), MakeCut(GaussianBeam(4.0, 32.5))};
    HPara h = PeakReference();
    h.THP_mode = 1;
    h.THP_xdb = std::vector<float>(12, 3.0f);
    h.THP_xdb[1] = 6.0f;
    p.Run(h);
    auto gauss = [](double u) { return -3.0 * u * u; };
    const double expected3 = std::abs(-3.0 - gauss((-32.5 - 4.0) / 32.5));
    EXPECT_NEAR(p.fr.THP[0], expected3, 0.01);
    EXPECT_GT(p.fr.THP[1], p.fr.THP[0]);
    for (size_t i = 2; i < 10; ++i) EXPECT_NEAR(p.fr.THP[i], p.fr.THP[0], 1e-5) << i; // first ten evaluated

    h.THP_mode = 0;
    h.THP_xdeg = 60.0f;
    p.Run(h);
    EXPECT_NEAR(p.fr.THP[0], std::abs(gauss(-60.0 / 32.5) - gauss(-64.0 / 32.5)), 1e-4);
    EXPECT_EQ(p.fr.THP[1], NOT_SET);
}

TEST(CrossPolarIndicatorsTest, TrackingStopsAtTheFirstMissingEdge) {
    // q never falls 10 dB on its right before it ends: the 10 dB sector and every later one are
    // NOT_SET.
    Polarisations p{
        MakeCut(GaussianBeam(0.0, 32.5), -150.0, 150.0),
        MakeCut([](double a) { return a < 0.0 ? GaussianBeam(0.0, 32.5)(a) : -0.02 * a; }, -150.0, 150.0)};
    HPara h = PeakReference();
    h.THP_mode = 1;
    h.THP_xdb = {3.0f, 10.0f, 3.0f};
    p.Run(h);
    EXPECT_NE(p.fr.THP[0], NOT_SET);
    EXPECT_EQ(p.fr.THP[1], NOT_SET);
    EXPECT_EQ(p.fr.THP[2], NOT_SET);
    EXPECT_EQ(p.fr.THP10, NOT_SET);
}

} // namespace
