#include <gtest/gtest.h>

#include <functional>

#include "SettingsTestFixture.h"
#include "analysis/AnalysisSettingsLoad.h"
#include "analysis/HorizontalSetup.h"
#include "analysis/SettingsKeys.h"
#include "commands/SettingsApply.h"

namespace {

class SettingsHorizontalTest : public SettingsTest {
  protected:
    // The dialog after "Defaults": every entry valid.
    HSetupForm ValidForm() { return ApplyHSetupDefaults(doc); }
};

TEST_F(SettingsHorizontalTest, DefaultsAfterAnEmptyStartGiveMaxLevelAndNominalDirection) {
    LoadAnalysisSettings(doc);
    const HSetupForm form = ApplyHSetupDefaults(doc);
    EXPECT_EQ(doc.Hpara.RefLevel_mode, 0);
    EXPECT_EQ(doc.Hpara.RefAngle_mode, 1);
    EXPECT_TRUE(form.maxLevelPower);
    EXPECT_FALSE(form.maxLevelAngle);
    EXPECT_EQ(Stored(kHSetupSection, kRefLevelKeys.first), "TRUE");
    EXPECT_EQ(Stored(kHSetupSection, kRefLevelKeys.second), "FALSE");
    EXPECT_EQ(Stored(kHSetupSection, kRefAngleKeys.first), "FALSE");
    EXPECT_EQ(Stored(kHSetupSection, kRefAngleKeys.second), "TRUE");
    EXPECT_EQ(Stored(kHSetupSection, kSprTypeKey), "2");
    EXPECT_EQ(Stored(kHSetupSection, kFbrXdegKey), "-180");
    EXPECT_EQ(Stored(kHSetupSection, kXpdXdegKey), "20");
    EXPECT_EQ(doc.Hpara.THP_xdb, std::vector<float>{3.0f});
}

TEST_F(SettingsHorizontalTest, OpeningShowsTheStoreNotTheSettingsInUse) {
    store->WriteConfig(kHSetupSection, kHbwXdbKey, "12");
    store->WriteConfig(kHSetupSection, kSprTypeKey, "9"); // names no ratio: nothing selected
    store->WriteConfig(kHSetupSection, kThpModeKeys.first, "TRUE");
    doc.Hpara.HBW_xdb = 4.0f;
    const HSetupForm form = OpenHSetupForm(doc);
    EXPECT_EQ(form.hbwXdb, "12");
    EXPECT_EQ(form.sprType, -1);
    EXPECT_TRUE(form.thpByAngle);
    EXPECT_FALSE(form.maxLevelPower);
}

struct EntryCase {
    const char* name;
    std::function<void(HSetupForm&)> edit;
    HSetupStep step;
    const char* message; // empty when the entry passes
};

const EntryCase kEntryCases[] = {
    {"thp list of three", [](HSetupForm& f) { f.thpXdb = "3,6,10"; }, HSetupStep::Ok, ""},
    {"thp list empty piece", [](HSetupForm& f) { f.thpXdb = "3,,10"; }, HSetupStep::ThpXdb,
     "THP XdB input parameter is out of range 1~20,please check!"},
    {"thp list trailing comma", [](HSetupForm& f) { f.thpXdb = "3,"; }, HSetupStep::ThpXdb,
     "THP XdB input parameter is out of range 1~20,please check!"},
    {"thp list above 20", [](HSetupForm& f) { f.thpXdb = "25"; }, HSetupStep::ThpXdb,
     "THP XdB input parameter is out of range 1~20,please check!"},
    {"thp degrees empty", [](HSetupForm& f) { f.thpXdeg = ""; }, HSetupStep::ThpXdeg,
     "THP input parameter is out of range 1~180,please check!"},
    {"thp degrees 180", [](HSetupForm& f) { f.thpXdeg = "180"; }, HSetupStep::Ok, ""},
    {"thp degrees 180.5", [](HSetupForm& f) { f.thpXdeg = "180.5"; }, HSetupStep::ThpXdeg,
     "THP input parameter is out of range 1~180,please check!"},
    {"spr degrees 0", [](HSetupForm& f) { f.sprXdeg = "0"; }, HSetupStep::SprXdeg,
     "SPR Xdeg input parameter is out of range 1~180,please check!"},
    {"spr db text", [](HSetupForm& f) { f.sprXdb = "abc"; }, HSetupStep::SprXdb,
     "SPR XdB input parameter is out of range 1~20,please check!"},
    {"hbw 20", [](HSetupForm& f) { f.hbwXdb = "20"; }, HSetupStep::Ok, ""},
    {"hbw 20.01", [](HSetupForm& f) { f.hbwXdb = "20.01"; }, HSetupStep::HbwXdb,
     "HBW XdB input parameter is out of range 1~20,please check!"},
    {"+x 0", [](HSetupForm& f) { f.pxLevel = "0"; }, HSetupStep::Ok, ""},
    {"+x negative", [](HSetupForm& f) { f.pxLevel = "-1"; }, HSetupStep::PxLevel,
     "+X° Level input parameter is out of range 0~180,please check!"},
    {"-x 181", [](HSetupForm& f) { f.nxLevel = "181"; }, HSetupStep::NxLevel,
     "-X° input parameter is out of range 0~180,please check!"},
    {"fbr -180", [](HSetupForm& f) { f.fbrXdeg = "-180"; }, HSetupStep::Ok, ""},
    {"fbr +30", [](HSetupForm& f) { f.fbrXdeg = "+30"; }, HSetupStep::Ok, ""},
    {"fbr -30", [](HSetupForm& f) { f.fbrXdeg = "-30"; }, HSetupStep::Ok, ""},
    {"fbr 200", [](HSetupForm& f) { f.fbrXdeg = "200"; }, HSetupStep::FbrXdeg,
     "FBR Xdeg input parameter is out of range -180~180,please check!"},
    {"fbr 12.5", [](HSetupForm& f) { f.fbrXdeg = "12.5"; }, HSetupStep::FbrXdeg,
     "FBR Xdeg input parameter is out of range -180~180,please check!"},
    {"fbr abc", [](HSetupForm& f) { f.fbrXdeg = "abc"; }, HSetupStep::FbrXdeg,
     "FBR Xdeg input parameter is out of range -180~180,please check!"},
    {"fbr 30x", [](HSetupForm& f) { f.fbrXdeg = "30x"; }, HSetupStep::FbrXdeg,
     "FBR Xdeg input parameter is out of range -180~180,please check!"},
    {"fbr width 181", [](HSetupForm& f) { f.fbrTdeg = "181"; }, HSetupStep::FbrTdeg,
     "FBR Xdeg input parameter is out of range 0~180,please check!"},
    {"lean 0", [](HSetupForm& f) { f.leanXdb = "0"; }, HSetupStep::LeanXdb,
     "Lean input parameter is out of range 1~20,please check!"},
    {"xpd degrees 20.5", [](HSetupForm& f) { f.xpdXdeg = "20.5"; }, HSetupStep::Ok, ""},
    {"xpd degrees 190", [](HSetupForm& f) { f.xpdXdeg = "190"; }, HSetupStep::XpdXdeg,
     "XPD X° input parameter is out of range 0~180,please check!"},
    {"xpd db empty", [](HSetupForm& f) { f.xpdXdb = ""; }, HSetupStep::XpdXdb,
     "XPD XdB input parameter is out of range 1~20,please check!"},
};

TEST_F(SettingsHorizontalTest, EachEntryIsCheckedWithItsMessage) {
    for (const EntryCase& c : kEntryCases) {
        notifier.messages.clear();
        HSetupForm form = ValidForm();
        c.edit(form);
        EXPECT_EQ(AcceptHSetup(doc, form), c.step) << c.name;
        if (c.step == HSetupStep::Ok) {
            EXPECT_TRUE(notifier.messages.empty()) << c.name;
        } else {
            ASSERT_EQ(notifier.messages.size(), 1u) << c.name;
            EXPECT_EQ(notifier.messages[0].first, "ERROR") << c.name;
            EXPECT_EQ(notifier.messages[0].second, c.message) << c.name;
        }
    }
}

TEST_F(SettingsHorizontalTest, AcceptedEntriesAreAppliedAndStoredAsTyped) {
    HSetupForm form = ValidForm();
    form.maxLevelPower = false;
    form.maxLevelAngle = true;
    form.roundMax = false;
    form.thpByAngle = true;
    form.sprByAngle = false;
    form.thpXdb = "3,6,10";
    form.sprType = 0;
    form.pxLevel = "45.9";
    form.fbrXdeg = "+30";
    form.xpdXdeg = "20.5";
    ASSERT_EQ(AcceptHSetup(doc, form), HSetupStep::Ok);

    const HPara& h = doc.Hpara;
    EXPECT_EQ(h.RefLevel_mode, 1);
    EXPECT_EQ(h.RefAngle_mode, 0);
    EXPECT_EQ(h.Round_mode, 1);
    EXPECT_EQ(h.THP_mode, 0);
    EXPECT_EQ(h.SPR_mode, 1);
    EXPECT_EQ(h.THP_xdb, (std::vector<float>{3.0f, 6.0f, 10.0f}));
    EXPECT_EQ(h.SPR_type, 0);
    EXPECT_EQ(h.PX_level, 45);
    EXPECT_EQ(h.FBR_xdeg, 30);
    EXPECT_EQ(h.XPD_xdeg, 20.5f);
    EXPECT_EQ(Stored(kHSetupSection, kThpXdbKey), "3,6,10");
    EXPECT_EQ(Stored(kHSetupSection, kPxLevelKey), "45.9");
    EXPECT_EQ(Stored(kHSetupSection, kFbrXdegKey), "+30");
    EXPECT_EQ(Stored(kHSetupSection, kSprTypeKey), "0");
    EXPECT_EQ(Stored(kHSetupSection, kSprModeKeys.second), "TRUE");
}

TEST_F(SettingsHorizontalTest, XpdDecimalsSurviveARestart) {
    HSetupForm form = ValidForm();
    form.xpdXdeg = "20.5";
    form.xpdXdb = "2.5";
    ASSERT_EQ(AcceptHSetup(doc, form), HSetupStep::Ok);
    auto next = Restart();
    LoadAnalysisSettings(*next);
    EXPECT_EQ(next->Hpara.XPD_xdeg, 20.5f);
    EXPECT_EQ(next->Hpara.XPD_xdb, 2.5f);
}

TEST_F(SettingsHorizontalTest, AFailureKeepsEarlierStepsAndSkipsTheRest) {
    HSetupForm form = ValidForm();
    PatternFile& file = AddAnalysedFile("/m/a.msi");
    form.hbwXdb = "7";         // step 11, before the failure
    form.fbrXdeg = "12.5";     // step 14 fails
    form.leanXdb = "5";        // step 16, never reached
    doc.Hpara.Lean_xdb = 4.0f; // in use though not stored: what was never reached stays in use
    EXPECT_EQ(AcceptHSetup(doc, form), HSetupStep::FbrXdeg);
    EXPECT_EQ(doc.Hpara.HBW_xdb, 7.0f);
    EXPECT_EQ(Stored(kHSetupSection, kHbwXdbKey), "7");
    EXPECT_EQ(doc.Hpara.FBR_xdeg, -180);
    EXPECT_EQ(Stored(kHSetupSection, kFbrXdegKey), "-180");
    EXPECT_EQ(doc.Hpara.Lean_xdb, 4.0f);
    EXPECT_EQ(Stored(kHSetupSection, kLeanXdbKey), "3");
    // Nothing is recomputed until an OK passes.
    EXPECT_TRUE(file.results.flags[0]);
    EXPECT_TRUE(file.results.flags[4]);
}

TEST_F(SettingsHorizontalTest, SuccessClearsOnlyTheHorizontalFlags) {
    PatternFile& file = AddAnalysedFile("/m/a.msi");
    ASSERT_EQ(AcceptHSetup(doc, ValidForm()), HSetupStep::Ok);
    const std::array<bool, 6> expected{false, true, true, true, false, true};
    EXPECT_EQ(file.results.flags, expected);
}

TEST_F(SettingsHorizontalTest, NoRatioSelectedStoresTheListIndex) {
    HSetupForm form = ValidForm();
    doc.Hpara.SPR_type = 3;
    form.sprType = -1;
    ASSERT_EQ(AcceptHSetup(doc, form), HSetupStep::Ok);
    EXPECT_EQ(doc.Hpara.SPR_type, -1);
    EXPECT_EQ(Stored(kHSetupSection, kSprTypeKey), "-1");
}

} // namespace
