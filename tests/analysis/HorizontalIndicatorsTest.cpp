#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/HorizontalIndicators.h"
#include "analysis/Primitives.h"
#include "analysis/PrimitivesTestCuts.h"
#include "app/Log.h"
#include "support/TestSupport.h"

namespace {

// Main beam of the given half 3 dB width at `centre` and extra lobes (angle, level, half width).
struct Lobe {
    double angle, level, halfWidth;
};
Cut BeamWithLobes(double centre, double halfWidth3dB, std::initializer_list<Lobe> lobes,
                  double floor = -40.0) {
    std::vector<Lobe> all(lobes);
    return MakeCut([=](double a) {
        double level = GaussianBeam(centre, halfWidth3dB, floor)(a);
        for (const Lobe& l : all) {
            double d = std::abs(a - l.angle);
            d = std::min(d, 360.0 - d);
            level = std::max(level, l.level - 3.0 * (d / l.halfWidth) * (d / l.halfWidth));
        }
        return level;
    });
}

IndicatorResult Reference(const Cut& cut, const HPara& h, const NameFields& names) {
    IndicatorResult r;
    ComputeReferencePoint(cut, r, h, names);
    return r;
}

HPara PeakReference() {
    HPara h;
    h.RefLevel_mode = 0;
    h.RefAngle_mode = 0;
    return h;
}

TEST(HorizontalIndicatorsTest, ReferencePointFollowsTheReferenceChoices) {
    // Two equal maxima at -10 and +10; the level at 30 is -5 dB.
    const Cut cut = MakeCut([](double a) {
        if (a == -10.0 || a == 10.0) return 0.0;
        return a == 30.0 ? -5.0 : -20.0;
    });
    struct Case {
        int levelMode, angleMode;
        const char* direction;
        float angle, level;
    };
    const Case cases[] = {
        {0, 0, "30", 0.0f, 0.0f},     // peak level, mean direction of the tied peaks
        {0, 1, "30", 30.0f, 0.0f},    // peak level, nominal direction
        {1, 1, "30", 30.0f, -5.0f},   // level found at the nominal direction
        {1, 0, "30", 0.0f, -5.0f},    //
        {1, 1, "7.3", 7.3f, NOT_SET}, // no sample at the nominal direction: level unchanged
    };
    for (const Case& c : cases) {
        HPara h;
        h.RefLevel_mode = c.levelMode;
        h.RefAngle_mode = c.angleMode;
        const IndicatorResult r = Reference(cut, h, MakeNames("P45", "h", "co", "0", c.direction));
        EXPECT_FLOAT_EQ(r.Hmax.fAngle, c.angle) << c.levelMode << c.angleMode << c.direction;
        EXPECT_FLOAT_EQ(r.Hmax.fMag, c.level) << c.levelMode << c.angleMode << c.direction;
        EXPECT_FLOAT_EQ(r.HmaxRaw.fAngle, 0.0f);
        EXPECT_FLOAT_EQ(r.Hmin.fAngle, -179.5f);
    }
}

TEST(HorizontalIndicatorsTest, AnalyticBeamsGiveTheirTrueWidthsAndDirections) {
    struct Case {
        const char* name;
        Cut cut;
        double hbw3, hbw10, centre;
    };
    // cos^4 field pattern: the 3 dB half width is acos(10^(-3/80)).
    const double q = 4.0;
    const Cut cosine = MakeCut([q](double a) {
        const double c = std::cos(a * M_PI / 180.0);
        return c > 0.01 ? std::max(-40.0, 20.0 * q * std::log10(c)) : -40.0;
    });
    const double half3 = std::acos(std::pow(10.0, -3.0 / (20.0 * q))) * 180.0 / M_PI;
    const double half10 = std::acos(std::pow(10.0, -10.0 / (20.0 * q))) * 180.0 / M_PI;
    const Case cases[] = {
        {"gauss65", MakeCut(GaussianBeam(0.0, 32.5)), 65.0, 65.0 * std::sqrt(10.0 / 3.0), 0.0},
        {"gauss90 at 7.3", MakeCut(GaussianBeam(7.3, 45.0)), 90.0, 90.0 * std::sqrt(10.0 / 3.0), 7.3},
        {"cos^4", cosine, 2.0 * half3, 2.0 * half10, 0.0},
    };
    for (Case c : cases) {
        const HPara h = PeakReference();
        const NameFields names = MakeNames("P45", "h", "co");
        IndicatorResult r = Reference(c.cut, h, names);
        ComputeBeamwidths(c.cut, r, h, names);
        ComputeLean(c.cut, r, h, names);
        ComputeSquint(c.cut, r, names);
        EXPECT_NEAR(r.HBW3, c.hbw3, 0.2) << c.name;
        EXPECT_NEAR(r.HBWX, c.hbw10, 0.2) << c.name;
        EXPECT_NEAR(r.Lean, c.centre, 0.1) << c.name;
        EXPECT_NEAR(r.Squint, c.centre, 0.25) << c.name; // the peak sample on a 0.5 degree grid
    }
}

TEST(HorizontalIndicatorsTest, MissingBeamEdgesLeaveNoValue) {
    // Never 10 dB down on the right side.
    // A cut with ends (a full circle would go on round to the left side's low levels).
    Cut cut = MakeCut([](double a) { return a < 0.0 ? -0.2 * -a : -0.02 * a; }, -150.0, 150.0);
    const HPara h = PeakReference();
    const NameFields names = MakeNames("P45", "h", "co");
    IndicatorResult r = Reference(cut, h, names);
    r.HBWX = r.Lean = r.SPR = 1.0f;
    HPara lean = h;
    lean.Lean_xdb = 10.0f;
    lean.SPR_mode = 1;
    lean.SPR_xdb = 10.0f;
    ComputeBeamwidths(cut, r, h, names);
    ComputeLean(cut, r, lean, names);
    ComputeSectorPowerRatio(cut, r, lean, names);
    EXPECT_NE(r.HBW3, NOT_SET);
    EXPECT_EQ(r.HBWX, NOT_SET);
    EXPECT_EQ(r.Lean, NOT_SET);
    EXPECT_EQ(r.SPR, NOT_SET);
}

TEST(HorizontalIndicatorsTest, StrongestSideLobeSkipsLobesNearTheMainBeam) {
    struct Case {
        const char* name;
        Cut cut;
        float angle, relative;
        double tolerance;
    };
    const Case cases[] = {
        {"-8 and -14",
         BeamWithLobes(0.0, 20.0, {{60.0, -8.0, 5.0}, {110.0, -14.0, 5.0}, {-120.0, -20.0, 5.0}}), 110.0f,
         -14.0f, 1e-6},
        {"analytic -17.3", BeamWithLobes(0.0, 30.0, {{-75.0, -17.3, 6.0}, {140.0, -25.0, 6.0}}), -75.0f,
         -17.3f, 0.3},
        // Every lobe within 10 dB of the reference: the first sample stands.
        {"none", BeamWithLobes(0.0, 20.0, {{60.0, -8.0, 5.0}}, -9.0), -179.5f, -9.0f, 1e-6},
        // A single step of 0.05f dB (just above 0.05) is a rise.
        {"0.05f step", MakeCut([](double a) {
             if (std::abs(a) < 20.0) return 15.0 - 3.0 * (a / 10.0) * (a / 10.0);
             return a == 100.0 ? 0.0 : -0.05;
         }),
         100.0f, -15.0f, 1e-6},
    };
    for (const Case& c : cases) {
        const HPara h = PeakReference();
        IndicatorResult r = Reference(c.cut, h, MakeNames("P45", "h", "co"));
        ComputeStrongestSideLobe(c.cut, r);
        EXPECT_NEAR(r.SSmaxRel.fAngle, c.angle, 1e-4) << c.name;
        EXPECT_NEAR(r.SSmaxRel.fMag, c.relative, c.tolerance) << c.name;
        EXPECT_FLOAT_EQ(r.SSmaxAbs.fMag, r.SSmaxRel.fMag + r.Hmax.fMag) << c.name;
    }
}

TEST(HorizontalIndicatorsTest, SideLobeStillRisingAtTheEndDoesNotCount) {
    Cut cut = BeamWithLobes(0.0, 20.0, {{-100.0, -25.0, 5.0}});
    for (PatternPoint& p : cut)
        if (p.fAngle > 150.0f) p.fMag = static_cast<float>(-40.0 + (p.fAngle - 150.0) * 0.6); // up to -22
    const HPara h = PeakReference();
    IndicatorResult r = Reference(cut, h, MakeNames("P45", "h", "co"));
    ComputeStrongestSideLobe(cut, r);
    EXPECT_FLOAT_EQ(r.SSmaxAbs.fAngle, -100.0f);
    EXPECT_FLOAT_EQ(r.SSmaxAbs.fMag, -25.0f);
}

TEST(HorizontalIndicatorsTest, RoundnessByBothFormulas) {
    // Max 0, min -6, mean -1.
    Cut cut = MakeCut([](double) { return -714.0 / 718.0; });
    cut[100].fMag = 0.0f;
    cut[500].fMag = -6.0f;
    for (int mode : {0, 1}) {
        HPara h = PeakReference();
        h.Round_mode = mode;
        IndicatorResult r = Reference(cut, h, MakeNames("P45", "h", "co"));
        ComputeRoundness(cut, r, h);
        EXPECT_NEAR(r.Roundness, mode == 0 ? 5.0 : 3.0, 1e-4) << mode;
    }
}

TEST(HorizontalIndicatorsTest, SectorPowerRatioOfAnOmnidirectionalCut) {
    const Cut omni = MakeCut([](double) { return -3.0; });
    // 0.5 degree grid, -179.5..180: sector 240 half-weighted steps over 120 degrees, left 239 over
    // 119.5, right 240 over 120, total 720 samples over 360 degrees in 719 steps.
    const double sector = 120.0, unwanted = 119.5 + 120.0, total = 720.0 * 360.0 / 719.0;
    // An unknown kind (4, -1) is read as "u/s".
    const double expected[] = {unwanted / sector, sector / unwanted, sector / total,
                               unwanted / total,  unwanted / sector, unwanted / sector};
    for (int type = 0; type < 6; ++type) {
        HPara h = PeakReference();
        h.SPR_type = type == 5 ? -1 : type;
        Cut cut = omni;
        IndicatorResult r = Reference(cut, h, MakeNames("P45", "h", "co"));
        ComputeSectorPowerRatio(cut, r, h, MakeNames("P45", "h", "co"));
        EXPECT_NEAR(r.SPR, expected[type], 1e-5) << type;
    }
    EXPECT_NEAR(sector / total, 1.0 / 3.0, 0.001);
}

TEST(HorizontalIndicatorsTest, SectorPowerRatioByBeamEdges) {
    // A 65 degree beam: the 3 dB sector holds most of the power.
    Cut cut = MakeCut(GaussianBeam(0.0, 32.5));
    HPara h = PeakReference();
    h.SPR_mode = 1;
    h.SPR_xdb = 3.0f;
    h.SPR_type = 2;
    IndicatorResult r = Reference(cut, h, MakeNames("P45", "h", "co"));
    ComputeSectorPowerRatio(cut, r, h, MakeNames("P45", "h", "co"));
    // Power of a Gaussian in dB: exp(-ln10*0.3 u^2); the fraction inside |u| <= 1 is erf(sqrt(ln10*0.3)).
    EXPECT_NEAR(r.SPR, std::erf(std::sqrt(std::log(10.0) * 0.3)), 0.01);
}

TEST(HorizontalIndicatorsTest, RatiosWithoutPowerOrReferenceHaveNoValue) {
    // A sector over the whole circle leaves no unwanted power: "s/u" would divide by zero.
    Cut omni = MakeCut([](double) { return -3.0; });
    HPara h = PeakReference();
    h.SPR_xdeg = 180.0f;
    h.SPR_type = 1;
    IndicatorResult r = Reference(omni, h, MakeNames("P45", "h", "co"));
    ComputeSectorPowerRatio(omni, r, h, MakeNames("P45", "h", "co"));
    EXPECT_EQ(r.SPR, NOT_SET);

    // Reference level at a nominal direction that no sample carries, on a fresh record: the
    // levels relative to it are not computed against -999.
    Cut beam = MakeCut(GaussianBeam(0.0, 32.5));
    HPara nominal = PeakReference();
    nominal.RefLevel_mode = 1;
    const NameFields names = MakeNames("P45", "h", "co", "0", "0.25");
    IndicatorResult fresh = Reference(beam, nominal, names);
    ASSERT_EQ(fresh.Hmax.fMag, NOT_SET);
    ComputeFixedAngleLevels(beam, fresh, nominal);
    ComputeFrontToBack(beam, fresh, nominal, names);
    ComputeStrongestSideLobe(beam, fresh);
    EXPECT_EQ(fresh.PXLevel, NOT_SET);
    EXPECT_EQ(fresh.FBRco, NOT_SET);
    EXPECT_EQ(fresh.SSmaxRel.fMag, NOT_SET);
}

TEST(HorizontalIndicatorsTest, LevelsAtFixedAnglesNeedAnExactSample) {
    struct Case {
        const char* name;
        Cut cut;
        float plus, minus;
    };
    const auto level = [](double a) { return -std::abs(a) / 10.0; };
    const Case cases[] = {
        {"half degree grid", MakeCut(level), -6.0f, -4.0f},
        {"0.7 degree grid", MakeCut(level, -179.9, 179.9, 0.7), NOT_SET, NOT_SET},
    };
    for (const Case& c : cases) {
        HPara h = PeakReference();
        h.PX_level = 60;
        h.NX_level = 40;
        IndicatorResult r = Reference(c.cut, h, MakeNames("P45", "h", "co"));
        ComputeFixedAngleLevels(c.cut, r, h);
        ComputeSymmetry(c.cut, r);
        EXPECT_NEAR(r.PXLevel, c.plus, 1e-5) << c.name; // the reference level is 0 dB
        EXPECT_NEAR(r.NXLevel, c.minus, 1e-5) << c.name;
        EXPECT_EQ(r.HPS, c.plus == NOT_SET ? NOT_SET : 0.0f) << c.name;
    }
    // Duplicated angles: the last sample wins.
    Cut twice{{-60.0f, -9.0f}, {0.0f, 0.0f}, {60.0f, -7.0f}, {60.0f, -8.0f}};
    HPara h = PeakReference();
    IndicatorResult r = Reference(twice, h, MakeNames("P45", "h", "co"));
    ComputeFixedAngleLevels(twice, r, h);
    ComputeSymmetry(twice, r);
    EXPECT_FLOAT_EQ(r.PXLevel, -8.0f);
    EXPECT_FLOAT_EQ(r.HPS, 1.0f);
}

TEST(HorizontalIndicatorsTest, FrontToBackWindowFollowsTheReferenceAngle) {
    // Back lobes of -10 dB at 150 and -20 dB at -130.
    const Cut cut = BeamWithLobes(0.0, 30.0, {{150.0, -10.0, 3.0}, {-130.0, -20.0, 3.0}});
    struct Case {
        int angleMode;
        const char* direction;
        int xdeg, tdeg;
        float fbr;
    };
    const Case cases[] = {
        {0, "30", -180, 30, 10.0f}, // centre 180: [150, 180] and [-180, -150]
        {1, "30", -180, 30, 20.0f}, // centre -150: [180, 180] and [-180, -120]
        {1, "30", -180, 10, 40.0f}, // centre -150, +-10: only the floor
        {0, "0", 150, 0, 10.0f},    // a window of one direction
    };
    for (const Case& c : cases) {
        HPara h = PeakReference();
        h.RefAngle_mode = c.angleMode;
        h.FBR_xdeg = c.xdeg;
        h.FBR_tdeg = c.tdeg;
        const NameFields names = MakeNames("P45", "h", "co", "0", c.direction);
        IndicatorResult r = Reference(cut, h, names);
        ComputeFrontToBack(cut, r, h, names);
        EXPECT_NEAR(r.FBRco, c.fbr, 1e-4) << c.angleMode << " " << c.tdeg;
    }
}

TEST(HorizontalIndicatorsTest, NearZeroFrontToBackIsLoggedAndKept) {
    TempDir dir;
    SetLogPath((dir.Path() / "Log.txt").string());
    // A flat cut: every sample ties, so the reference direction is the mean angle 0.25.
    const Cut flat = MakeCut([](double) { return -1.0; });
    const HPara h = PeakReference();
    const NameFields names = MakeNames("P45", "h", "co");
    IndicatorResult r = Reference(flat, h, names);
    ComputeFrontToBack(flat, r, h, names);
    EXPECT_EQ(r.FBRco, 0.0f);
    const std::string log = ReadFileText((dir.Path() / "Log.txt").string());
    EXPECT_NE(
        log.find("FBRCO Error! myResult.Hmax.fMag: -1.000000,MaxLevelTemp1:-1.000000,MaxLevelTemp2:-1.000000,"
                 "StartDeg:150.250000,StopDeg:-149.750000,Hpara.FBR_xdeg: -180,Hpara.FBR_tdeg: 30\r\n"),
        std::string::npos)
        << log;
    SetLogPath("");
}

TEST(HorizontalIndicatorsTest, SquintDifferenceAgainstThePolarisationPartner) {
    const Cut own = MakeCut(GaussianBeam(-2.0, 30.0));
    Cut other = MakeCut(GaussianBeam(3.0, 30.0));
    const HPara h = PeakReference();
    const NameFields names = MakeNames("P45", "h", "co", "0", "0");
    const NameFields otherNames = MakeNames("M45", "h", "co", "0", "0");
    IndicatorResult r = Reference(own, h, names);
    IndicatorResult partnerRecord;
    PartnerCut partner{other, partnerRecord, otherNames};
    ComputeSquintDiff(own, r, names, &partner);
    EXPECT_FLOAT_EQ(r.SquintDiff, 5.0f);
    EXPECT_FLOAT_EQ(partnerRecord.HmaxRaw.fAngle, 3.0f); // recomputed into the partner's record

    ComputeSquintDiff(own, r, names, nullptr);
    EXPECT_EQ(r.SquintDiff, NOT_SET);
}

TEST(HorizontalIndicatorsTest, EmptyCutLeavesTheRecordAlone) {
    Cut empty;
    IndicatorResult r;
    r.HBW3 = r.FBRco = r.Roundness = r.SPR = r.HPS = 1.0f;
    const HPara h;
    const NameFields names = MakeNames("P45", "h", "co");
    RunHorizontalCoPolarGroup(empty, r, h, names, nullptr);
    ComputeFrontToBack(empty, r, h, names);
    ComputeSymmetry(empty, r);
    ComputeSectorPowerRatio(empty, r, h, names);
    EXPECT_EQ(r.HBW3, 1.0f);
    EXPECT_EQ(r.FBRco, 1.0f);
    EXPECT_EQ(r.Roundness, 1.0f);
    EXPECT_EQ(r.SPR, 1.0f);
    EXPECT_EQ(r.HPS, 1.0f);
    EXPECT_EQ(r.Hmax.fMag, NOT_SET);
}

} // namespace
