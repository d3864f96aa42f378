#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "analysis/PrimitivesTestCuts.h"
#include "analysis/VerticalIndicators.h"
#include "analysis/VerticalSectors.h"
#include "app/Log.h"
#include "document/QuadrelDoc.h"
#include "support/TestSupport.h"

namespace {

struct Bump {
    double centre, level, width;
};

// A Gaussian main beam (3 dB half width 3 degrees) on a -40 dB floor with Gaussian lobes.
Cut BeamWithLobes(double peak, std::initializer_list<Bump> lobes) {
    const std::vector<Bump> list(lobes);
    return MakeCut([peak, list](double a) {
        double level = GaussianBeam(peak, 3.0)(a);
        for (const Bump& b : list)
            level = std::max(level, b.level - 3.0 * std::pow((a - b.centre) / b.width, 2));
        return level;
    });
}

PatternFile VerticalFile(Cut cut) {
    PatternFile file;
    file.names = MakeNames("p45", "e", "co");
    file.samples = std::move(cut);
    return file;
}

IndicatorResult Analyse(CQuadrelDoc& doc, PatternFile& file) {
    RunVerticalCoPolarIndicators(doc, file, file.samples, file.results);
    return file.results;
}

TEST(VerticalSideLobesTest, FsuNeedsANullFifteenDbDownWithinFortyDegrees) {
    CQuadrelDoc doc;
    doc.Vpara.FSU_envcal = 0;
    // The upper side never falls 15 dB: no null, no lobe.
    PatternFile shallow = VerticalFile(MakeCut(GaussianBeam(0.0, 3.0, -10.0)));
    EXPECT_EQ(Analyse(doc, shallow).FSU.fMag, NOT_SET);
    EXPECT_EQ(shallow.results.FSU.fAngle, NOT_SET);

    // A lobe whose null lies beyond 40 degrees is not the first upper side lobe.
    PatternFile far = VerticalFile(BeamWithLobes(0.0, {{-46.0, -20.0, 2.0}}));
    EXPECT_EQ(Analyse(doc, far).FSU.fMag, NOT_SET);

    PatternFile nearLobe = VerticalFile(BeamWithLobes(0.0, {{-20.0, -18.0, 2.0}, {25.0, -22.0, 2.0}}));
    const IndicatorResult r = Analyse(doc, nearLobe);
    EXPECT_FLOAT_EQ(r.FSU.fAngle, -20.0f);
    EXPECT_FLOAT_EQ(r.FSU.fMag, 18.0f);
    EXPECT_FLOAT_EQ(r.FSUlobe.fMag, -18.0f);
    EXPECT_FLOAT_EQ(r.FSD.fAngle, 25.0f);
    EXPECT_FLOAT_EQ(r.FSD.fMag, 22.0f);
}

TEST(VerticalSideLobesTest, EnvelopeDecisionMirrorsAFarUpperLobe) {
    struct Case {
        const char* name;
        Bump upper, lower;
        float angle, suppression;
    };
    const Case cases[] = {
        // Upper lobe beyond -30, lower lobe within +30: the level at the mirrored lower lobe.
        {"far upper", {-35.0, -18.0, 1.0}, {20.0, -16.0, 1.0}, -20.0f, 40.0f},
        // Both near, upper lobe much further from the peak than the lower one (+ Env_range) and its
        // null too: the lower lobe mirrored about the peak.
        {"mirror about peak", {-28.0, -18.0, 1.0}, {12.0, -16.0, 1.0}, -12.0f, 40.0f},
        // Both near and comparable: the upper lobe.
        {"upper", {-14.0, -18.0, 1.0}, {12.0, -16.0, 1.0}, -14.0f, 18.0f},
    };
    CQuadrelDoc doc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PatternFile file = VerticalFile(BeamWithLobes(0.0, {c.upper, c.lower}));
        const IndicatorResult r = Analyse(doc, file);
        EXPECT_FLOAT_EQ(r.FSU.fAngle, c.angle);
        EXPECT_NEAR(r.FSU.fMag, c.suppression, 1e-4);
        EXPECT_FLOAT_EQ(r.FSUlobe.fAngle, c.angle);
    }
}

TEST(VerticalSideLobesTest, EnvelopeFailuresKeepTheStandardResultAndAreLogged) {
    TempDir dir;
    const std::string logPath = (dir.Path() / "Log.txt").string();
    SetLogPath(logPath);
    CQuadrelDoc doc;

    // Both lobes outside +-30 degrees.
    PatternFile far = VerticalFile(BeamWithLobes(0.0, {{-35.0, -18.0, 1.0}, {40.0, -16.0, 1.0}}));
    const IndicatorResult r = Analyse(doc, far);
    EXPECT_FLOAT_EQ(r.FSU.fAngle, -35.0f);
    EXPECT_FLOAT_EQ(r.FSU.fMag, 18.0f);

    // No lobe at all on either side: mirroring a missing lower lobe would read the last sample.
    PatternFile flat = VerticalFile(MakeCut(GaussianBeam(0.0, 3.0, -10.0)));
    EXPECT_EQ(Analyse(doc, flat).FSU.fMag, NOT_SET);

    const std::string log = ReadFileText(logPath);
    size_t count = 0;
    for (size_t pos = log.find("FSU Error! \r\n"); pos != std::string::npos;
         pos = log.find("FSU Error!", pos + 1))
        ++count;
    EXPECT_EQ(count, 2u);
    SetLogPath("");
}

TEST(VerticalSideLobesTest, ManualSectorsAreClampedToTheMainBeam) {
    CQuadrelDoc doc;
    doc.Vpara.FSU_envcal = 0;
    doc.Vpara.SS_manual = "TRUE";
    doc.Vpara.SS_sectors = {{"0", "-30"}, {"-30", "-150"}, {"-150", "150"}, {"", ""}, {"10", ""}};
    // Peak at -6, FSU lobe at -24, a strong lobe just outside [-36, -24], distractors between the
    // two back pieces of row 3.
    PatternFile file = VerticalFile(BeamWithLobes(-6.0, {{-24.0, -20.0, 2.0},
                                                         {-38.0, -12.0, 1.0},
                                                         {-165.0, -25.0, 2.0},
                                                         {150.0, -22.0, 2.0},
                                                         {-150.0, -10.0, 2.0},
                                                         {12.0, -18.0, 2.0}}));
    const IndicatorResult r = Analyse(doc, file);
    ASSERT_FLOAT_EQ(r.FSU.fAngle, -24.0f);
    EXPECT_NEAR(r.VSS[0], 20.0f, 1e-4); // [-36, -24]
    EXPECT_NEAR(r.VSS[1], 10.0f, 1e-4); // [-156, -36] holds -38 and -150
    EXPECT_NEAR(r.VSS[2], 22.0f, 1e-4); // [-180, -156] and [144, 180]
    EXPECT_EQ(r.VSS[3], NOT_SET);       // empty row
    EXPECT_EQ(r.VSS[9], NOT_SET);       // beyond the list
    // Start 10 with an empty end (0): both bounds fall inside the main beam and move to the lower
    // null at 6.5, a one-sample sector on the -40 dB floor.
    EXPECT_NEAR(r.VSS[4], 40.0f, 1e-4);
}

TEST(VerticalSideLobesTest, EnvelopeBreakPointsBecomeSectors) {
    CurveFile envelope;
    envelope.fileName = "1710_2170_v-plane.txt";
    // Flat to -60, rising 5 dB per step to -30, flat again to 0: corners at -60 and -30, and a 3
    // degree kink at -2 that is too narrow to be a sector of its own.
    for (int x = -90; x <= 0; x += 10) {
        const float y = x <= -60 ? -20.0f : x <= -30 ? -20.0f + (x + 60) / 2.0f : -5.0f;
        envelope.points.push_back({static_cast<float>(x), y});
    }
    envelope.points.push_back({3.0f, -4.0f});
    envelope.points.push_back({6.0f, -4.0f});
    const SectorRows rows = SectorsFromEnvelope(envelope);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"-60.00", "-30.00"}));
    EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"-30.00", "0.00"}));

    CQuadrelDoc doc;
    doc.Vpara.FSU_envcal = 0;
    doc.Vpara.SS_manual = "FALSE";
    envelope.path = "/env/" + envelope.fileName;
    doc.envelopes[envelope.path] = envelope;
    PatternFile inBand = VerticalFile(BeamWithLobes(0.0, {{-45.0, -14.0, 2.0}}));
    EXPECT_NEAR(Analyse(doc, inBand).VSS[0], 14.0f, 1e-4);
    EXPECT_EQ(inBand.results.VSS[2], NOT_SET);

    // Outside the envelope's band nothing is computed.
    PatternFile outOfBand = VerticalFile(BeamWithLobes(0.0, {{-45.0, -14.0, 2.0}}));
    outOfBand.names[kFieldFrequency] = "2600";
    outOfBand.results.VSS[0] = 1.5f;
    EXPECT_FLOAT_EQ(Analyse(doc, outOfBand).VSS[0], 1.5f);
}

TEST(VerticalSideLobesTest, NullsStopAtFortyDegrees) {
    CQuadrelDoc doc;
    doc.Vpara.FSU_envcal = 0;
    // Main beam falls to a -40 floor and stays flat: NF and NullLow walk on through the flat floor.
    PatternFile flat = VerticalFile(MakeCut(GaussianBeam(0.0, 3.0)));
    const IndicatorResult r = Analyse(doc, flat);
    EXPECT_EQ(r.NullLow, NOT_SET);
    EXPECT_EQ(r.NF, NOT_SET);
    EXPECT_EQ(r.FN, NOT_SET);

    // Lobes at +-20 rise above the floor from 20 -+ 5.16 on: the nulls are the floor samples just
    // before them.
    PatternFile lobes = VerticalFile(BeamWithLobes(0.0, {{-20.0, -20.0, 2.0}, {20.0, -20.0, 2.0}}));
    const IndicatorResult l = Analyse(doc, lobes);
    EXPECT_FLOAT_EQ(l.NullLow, 14.5f);
    EXPECT_FLOAT_EQ(l.FN, -14.5f);
    EXPECT_FLOAT_EQ(l.NF, 40.0f);
}

} // namespace
