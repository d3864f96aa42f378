#include <gtest/gtest.h>

#include "support/TestSupport.h"

#include <algorithm>

#include "analysis/PrimitivesTestCuts.h"
#include "app/TextUtil.h"
#include "commands/Analysis.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"

namespace {

const std::string kFolder = "/lab/Site_Proj_Model_20240101_B1_S1/";

class DriverTest : public ::testing::Test {
  protected:
    DriverTest() {
        doc.Hpara.RefLevel_mode = 0;
        doc.Hpara.RefAngle_mode = 0;
    }
    PatternFile& Add(const std::string& fileName, Cut samples) {
        const std::string path = kFolder + fileName;
        PatternFile& file = doc.table[PatternKey(path)];
        file.key = PatternKey(path);
        file.path = path;
        file.fileName = fileName;
        FillFileNameFields(fileName, file.names);
        file.samples = std::move(samples);
        return file;
    }
    std::string Key(const std::string& fileName) const { return PatternKey(kFolder + fileName); }
    CQuadrelDoc doc;
};

TEST_F(DriverTest, GroupsRunOnceUntilTheirFlagIsCleared) {
    PatternFile& file = Add("p1_p45_h_co_0_0_1800.msi", MakeCut(GaussianBeam(0.0, 32.5)));
    AnalyseFile(doc, file.key);
    EXPECT_NEAR(file.results.HBW3, 65.0f, 0.2);
    EXPECT_TRUE(file.results.flags[kDoneHCo]);
    EXPECT_TRUE(file.results.flags[kDonePrep]);
    EXPECT_FALSE(file.results.flags[kDoneVCo]);
    EXPECT_FALSE(file.results.flags[kDoneHCr]);

    file.samples = MakeCut(GaussianBeam(0.0, 45.0));
    AnalyseFile(doc, file.key);
    EXPECT_NEAR(file.results.HBW3, 65.0f, 0.2); // cached

    file.results.flags[kDoneHCo] = false;
    AnalyseFile(doc, file.key);
    EXPECT_NEAR(file.results.HBW3, 90.0f, 0.2);
}

TEST_F(DriverTest, FilesWithoutSamplesAreSkipped) {
    PatternFile& file = Add("p1_p45_h_co_0_0_1800.msi", Cut{});
    AnalyseFile(doc, file.key);
    AnalyseAll(doc);
    for (bool flag : file.results.flags) EXPECT_FALSE(flag);
    EXPECT_EQ(file.results.Hmax.fMag, NOT_SET);
    AnalyseFile(doc, "/not/loaded.msi"); // nothing to do
}

TEST_F(DriverTest, PolarisationPartnerFeedsTrackingAndSquintDifference) {
    PatternFile& own = Add("p1_p45_h_co_0_0_1800.msi", MakeCut(GaussianBeam(0.0, 32.5)));
    AnalyseFile(doc, own.key);
    EXPECT_EQ(own.results.SquintDiff, NOT_SET);
    EXPECT_EQ(own.results.THP[0], NOT_SET);

    PatternFile& partner = Add("p2_m45_h_co_0_0_1800.msi", MakeCut(GaussianBeam(2.0, 32.5)));
    ASSERT_EQ(PatternKey(PolarisationPartner(own.path)), partner.key);
    own.results.flags[kDoneHCo] = false;
    AnalyseFile(doc, own.key);
    EXPECT_FLOAT_EQ(own.results.SquintDiff, 2.0f);
    EXPECT_NE(own.results.THP[0], NOT_SET);
    EXPECT_NE(own.results.THP10, NOT_SET);
    EXPECT_FLOAT_EQ(partner.results.Hmax.fAngle, 2.0f); // recomputed into the partner's record
    EXPECT_FALSE(partner.results.flags[kDoneHCo]);
}

TEST_F(DriverTest, SingleFileFormFindsTheCrossPolarCutsOwnExtremes) {
    const auto crossLevel = [](double a) { return GaussianBeam(10.0, 30.0)(a) - 20.0; };
    for (bool single : {true, false}) {
        doc.table.clear();
        Add("p1_p45_h_co_0_0_1800.msi", MakeCut(GaussianBeam(0.0, 32.5)));
        PatternFile& hCross = Add("p1_p45_h_cr_0_0_1800.msi", MakeCut(crossLevel));
        Add("p1_p45_e_co_6_0_1800.msi", MakeCut(GaussianBeam(-6.0, 4.0)));
        PatternFile& eCross = Add("p1_p45_e_cr_6_0_1800.msi", MakeCut(crossLevel));
        if (single) {
            AnalyseFile(doc, hCross.key);
            AnalyseFile(doc, eCross.key);
        } else {
            AnalyseAll(doc);
        }
        // The smallest XPD within +-60 degrees lies at +60.
        const double xpdAt60 = GaussianBeam(0.0, 32.5)(60.0) - crossLevel(60.0);
        EXPECT_NEAR(hCross.results.XPD60, xpdAt60, 1e-4) << single;
        EXPECT_NE(eCross.results.VXPD0, NOT_SET) << single;
        EXPECT_TRUE(hCross.results.flags[kDoneHCr]);
        EXPECT_TRUE(eCross.results.flags[kDoneVCr]);
        if (single) {
            EXPECT_FLOAT_EQ(hCross.results.HmaxRaw.fAngle, 10.0f);
            EXPECT_FLOAT_EQ(eCross.results.Vmax.fAngle, 10.0f);
        } else {
            EXPECT_EQ(hCross.results.HmaxRaw.fAngle, NOT_SET);
            EXPECT_EQ(eCross.results.Vmax.fAngle, NOT_SET);
        }
    }
}

TEST_F(DriverTest, BackFacingVerticalCutsAreTurnedForTheGroupAndGivenBack) {
    struct Case {
        const char* fileName;
        double peak;
        float groupPeak; // the beam peak as the vertical group sees it
    };
    // Both sides of 180 degrees turn alike; the reference direction stays in the cut's own angles.
    const Case cases[] = {
        {"p1_v90_e_co_0_0_1800.msi", 170.0, -10.0f},
        {"p1_p45_e_co_0_0_1800.msi", 170.0, -10.0f},
        {"p1_p45_e_co_0_0_1800.msi", -170.0, 10.0f},
        {"p1_p45_e_co_0_0_1800.msi", -10.0, -10.0f},
    };
    for (const Case& c : cases) {
        doc.table.clear();
        // A 0.1 degree grid: turning it back by arithmetic would not give the same floats.
        PatternFile& file = Add(c.fileName, MakeCut(GaussianBeam(c.peak, 5.0), -179.9, 180.0, 0.1));
        const Cut original = file.samples;
        AnalyseFile(doc, file.key);
        EXPECT_NEAR(file.results.VBP, c.groupPeak, 1e-3) << c.fileName << " " << c.peak;
        EXPECT_NEAR(file.results.Vmax.fAngle, c.peak, 1e-3) << c.fileName << " " << c.peak;
        EXPECT_TRUE(file.results.flags[kDoneVCo]);
        ASSERT_EQ(file.samples.size(), original.size());
        for (size_t i = 0; i < original.size(); ++i) {
            ASSERT_EQ(file.samples[i].fAngle, original[i].fAngle) << i;
            ASSERT_EQ(file.samples[i].fMag, original[i].fMag) << i;
        }
    }
}

// A measured file lists its angles from 0 upwards: 0..180, then -179.5..-0.5.
Cut InFileOrder(Cut ascending) {
    auto zero =
        std::find_if(ascending.begin(), ascending.end(), [](const PatternPoint& p) { return p.fAngle >= 0; });
    std::rotate(ascending.begin(), zero, ascending.end());
    return ascending;
}

TEST_F(DriverTest, CutsInFileOrderAreAnalysedInAngleOrder) {
    const Cut co = MakeCut(GaussianBeam(0.0, 32.5));
    const Cut cross = MakeCut([](double a) { return GaussianBeam(5.0, 30.0)(a) - 20.0; });
    IndicatorResult expected[2];
    for (bool fileOrder : {false, true}) {
        doc.table.clear();
        PatternFile& coFile = Add("p1_p45_h_co_0_0_1800.msi", fileOrder ? InFileOrder(co) : co);
        Add("p2_m45_h_co_0_0_1800.msi", fileOrder ? InFileOrder(co) : co);
        PatternFile& crossFile = Add("p1_p45_h_cr_0_0_1800.msi", fileOrder ? InFileOrder(cross) : cross);
        AnalyseAll(doc);
        if (!fileOrder) {
            expected[0] = coFile.results;
            expected[1] = crossFile.results;
            EXPECT_NEAR(coFile.results.HBW3, 65.0f, 0.2);
            continue;
        }
        EXPECT_EQ(coFile.samples.front().fAngle, 0.0f); // the file keeps its own order
        const IndicatorResult* got[2] = {&coFile.results, &crossFile.results};
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(got[i]->HBW3, expected[i].HBW3) << i;
            EXPECT_EQ(got[i]->HmaxRaw.fAngle, expected[i].HmaxRaw.fAngle) << i;
            EXPECT_EQ(got[i]->FBRco, expected[i].FBRco) << i;
            EXPECT_EQ(got[i]->SSmaxRel.fMag, expected[i].SSmaxRel.fMag) << i;
            EXPECT_EQ(got[i]->THP[0], expected[i].THP[0]) << i;
            EXPECT_NEAR(got[i]->SPR, expected[i].SPR, 1e-6) << i;
            EXPECT_EQ(got[i]->XPDXdB, expected[i].XPDXdB) << i;
            EXPECT_EQ(got[i]->FBRtot, expected[i].FBRtot) << i;
        }
    }
}

TEST_F(DriverTest, RecomputeAllAnalysesTheShownFilesAndRefreshesBothPanes) {
    RecordingListener listener;
    doc.SetListener(&listener);
    PatternFile& shown = Add("p1_p45_h_co_0_0_1800.msi", MakeCut(GaussianBeam(0.0, 32.5)));
    PatternFile& hidden = Add("p3_p45_h_co_0_0_1800.msi", MakeCut(GaussianBeam(0.0, 32.5)));
    doc.selectionList.push_back(ToUpper(shown.path));
    RecomputeAll(doc);
    EXPECT_TRUE(shown.results.flags[kDoneHCo]);
    EXPECT_FALSE(hidden.results.flags[kDoneHCo]);
    EXPECT_EQ(listener.current, 1);
    EXPECT_EQ(listener.all, 1);
    doc.SetListener(nullptr);
}

} // namespace
