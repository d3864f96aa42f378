#include <gtest/gtest.h>

#include "SettingsTestFixture.h"
#include "analysis/SettingsKeys.h"
#include "analysis/SetupValidation.h"
#include "analysis/VerticalSetup.h"
#include "commands/SettingsApply.h"

namespace {

class SettingsVerticalTest : public SettingsTest {
  protected:
    VSetupForm ValidManualForm() {
        VSetupForm form = ApplyVSetupDefaults(doc);
        form.sectorChoice = SectorChoice::Manual;
        return form;
    }
};

constexpr const char* kIllegal =
    "Vertical SS parameter contains illegal characters or one of them is empty, please check!";
constexpr const char* kOutOfRange = "Vertical SS parameter is out of range -180~180，please check!";

TEST(SignedIntegerText, MatchesTheWholeText) {
    for (const char* text : {"0", "30", "+30", "-30", "-180", "--5", "+-+7", "007"})
        EXPECT_TRUE(IsSignedIntegerText(text)) << text;
    for (const char* text : {"", "-", "+", "12.5", "abc", "30x", " 30", "30 ", "1e3", "3-"})
        EXPECT_FALSE(IsSignedIntegerText(text)) << text;
}

TEST_F(SettingsVerticalTest, SectorRowsAreCheckedInOrder) {
    struct Case {
        const char* name;
        size_t row;
        const char* start;
        const char* end;
        VSetupStep step;
        const char* caption;
        const char* message;
    };
    const Case cases[] = {
        {"start without end", 0, "10", "", VSetupStep::SectorText, "Error", kIllegal},
        {"end without start", 9, "", "5", VSetupStep::SectorText, "Error", kIllegal},
        {"letters", 2, "abc", "5", VSetupStep::SectorText, "Error", kIllegal},
        {"decimal", 2, "10.5", "5", VSetupStep::SectorText, "Error", kIllegal},
        {"below -180", 1, "-200", "5", VSetupStep::SectorRange, "ERROR", kOutOfRange},
        {"above 180", 4, "5", "181", VSetupStep::SectorRange, "ERROR", kOutOfRange},
        {"bounds", 3, "-180", "180", VSetupStep::Ok, "", ""},
        {"signed", 3, "+10", "-10", VSetupStep::Ok, "", ""},
    };
    for (const Case& c : cases) {
        notifier.messages.clear();
        VSetupForm form = ValidManualForm();
        form.sectors[c.row] = {c.start, c.end};
        EXPECT_EQ(AcceptVSetup(doc, form), c.step) << c.name;
        if (c.step == VSetupStep::Ok) {
            EXPECT_TRUE(notifier.messages.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(notifier.messages.size(), 1u) << c.name;
        EXPECT_EQ(notifier.messages[0].first, c.caption) << c.name;
        EXPECT_EQ(notifier.messages[0].second, c.message) << c.name;
    }
}

TEST_F(SettingsVerticalTest, ManualTableIsStoredAndAppliedWithEmptyRows) {
    VSetupForm form = ValidManualForm();
    form.sectors[0] = {"5", "-40"};
    ASSERT_EQ(AcceptVSetup(doc, form), VSetupStep::Ok);
    ASSERT_EQ(doc.Vpara.SS_sectors.size(), 10u);
    EXPECT_EQ(doc.Vpara.SS_sectors[0], (std::pair<std::string, std::string>{"5", "-40"}));
    EXPECT_EQ(doc.Vpara.SS_sectors[6], (std::pair<std::string, std::string>{"", ""}));
    EXPECT_EQ(doc.Vpara.SS_manual, "TRUE");
    EXPECT_EQ(doc.Vpara.SS_auto, "FALSE");
    EXPECT_EQ(Stored(kVSetupSection, kManualKey), "TRUE");
    EXPECT_EQ(Stored(kVSetupSection, kAutoKey), "FALSE");
    EXPECT_EQ(Stored(kVSetupSection, "IDC_EDIT_1"), "5");
    EXPECT_EQ(Stored(kVSetupSection, "IDC_EDIT_11"), "-40");
    EXPECT_EQ(Stored(kVSetupSection, "IDC_EDIT_6"), "80");
}

TEST_F(SettingsVerticalTest, AutomaticLeavesTheTableAndStoresTheChoice) {
    VSetupForm form = ValidManualForm();
    form.sectorChoice = SectorChoice::Automatic;
    form.sectors[0] = {"abc", ""}; // not looked at
    const auto before = doc.Vpara.SS_sectors;
    ASSERT_EQ(AcceptVSetup(doc, form), VSetupStep::Ok);
    EXPECT_EQ(doc.Vpara.SS_sectors, before);
    EXPECT_EQ(Stored(kVSetupSection, kManualKey), "FALSE");
    EXPECT_EQ(Stored(kVSetupSection, kAutoKey), "TRUE");
    EXPECT_EQ(Stored(kVSetupSection, "IDC_EDIT_1"), "0");
}

TEST_F(SettingsVerticalTest, ClearCheckBoxStoresFalseAndKeepsTheEnvelopeNumbers) {
    VSetupForm form = ValidManualForm();
    doc.Vpara.FSU_env = -45.0f;
    form.envelopeEnabled = false;
    form.fsuEnv = "abc"; // disabled edits are not checked
    form.fsdEnv = "500";
    ASSERT_EQ(AcceptVSetup(doc, form), VSetupStep::Ok);
    EXPECT_EQ(Stored(kVSetupSection, kEnvCalKey), "FALSE");
    EXPECT_EQ(Stored(kVSetupSection, kFsuEnvKey), "-60");
    EXPECT_EQ(doc.Vpara.FSU_env, -45.0f);
    EXPECT_EQ(doc.Vpara.FSD_env, 60.0f);
    EXPECT_EQ(doc.Vpara.FSU_envcal, 0);
}

TEST_F(SettingsVerticalTest, EnvelopeEntriesAreChecked) {
    struct Case {
        const char* fsu;
        const char* fsd;
        const char* range;
        VSetupStep step;
        const char* message;
    };
    const Case cases[] = {
        {"0", "60", "5", VSetupStep::Ok, ""},
        {"-179", "179", "179", VSetupStep::Ok, ""},
        {"-180", "60", "5", VSetupStep::FsuEnv,
         "FSU envelope input parameter is out of range 0~-180,please check!"},
        {"-30.5", "60", "5", VSetupStep::FsuEnv,
         "FSU envelope input parameter is out of range 0~-180,please check!"},
        {"", "60", "5", VSetupStep::FsuEnv,
         "FSU envelope input parameter is out of range 0~-180,please check!"},
        {"5", "60", "5", VSetupStep::FsuEnv,
         "FSU envelope input parameter is out of range 0~-180,please check!"},
        {"-60", "180", "5", VSetupStep::FsdEnv,
         "FSD envelope input parameter is out of range 0~180,please check!"},
        {"-60", "0", "5", VSetupStep::FsdEnv,
         "FSD envelope input parameter is out of range 0~180,please check!"},
        {"-60", "60", "180", VSetupStep::EnvRange,
         "Envelope input parameter is out of range 0~180,please check!"},
    };
    for (const Case& c : cases) {
        notifier.messages.clear();
        VSetupForm form = ValidManualForm();
        form.fsuEnv = c.fsu;
        form.fsdEnv = c.fsd;
        form.envRange = c.range;
        EXPECT_EQ(AcceptVSetup(doc, form), c.step) << c.fsu << " " << c.fsd << " " << c.range;
        if (c.step == VSetupStep::Ok) continue;
        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_EQ(notifier.messages[0], (std::pair<std::string, std::string>{"ERROR", c.message}));
    }
}

TEST_F(SettingsVerticalTest, FailureAfterTheEnvelopeKeepsWhatWasStored) {
    PatternFile& file = AddAnalysedFile("/m/a.msi");
    VSetupForm form = ValidManualForm();
    form.vbwXdb = "8";
    form.fsuEnv = "-40";
    form.fsdEnv = "200";
    EXPECT_EQ(AcceptVSetup(doc, form), VSetupStep::FsdEnv);
    EXPECT_EQ(doc.Vpara.VBW_xdb, 8.0f);
    EXPECT_EQ(doc.Vpara.FSU_env, -40.0f);
    EXPECT_EQ(Stored(kVSetupSection, kFsuEnvKey), "-40");
    EXPECT_EQ(Stored(kVSetupSection, kFsdEnvKey), "60");
    EXPECT_TRUE(file.results.flags[1]);
}

TEST_F(SettingsVerticalTest, VerticalAndCrossPolarEntriesAreChecked) {
    VSetupForm form = ValidManualForm();
    form.vbwXdb = "";
    doc.Vpara.VXPD_xdb = 7.0f;
    // Refused at its first entry, the OK stores nothing and leaves the settings in use.
    const VSetupChange refused = ComputeVSetupOk(doc, form);
    EXPECT_TRUE(refused.writes.empty());
    EXPECT_EQ(refused.para.VXPD_xdb, 7.0f);
    EXPECT_EQ(AcceptVSetup(doc, form), VSetupStep::VbwXdb);
    form.vbwXdb = "20";
    form.vxpdXdb = "21";
    EXPECT_EQ(AcceptVSetup(doc, form), VSetupStep::VxpdXdb);
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0].second, "VBW XdB parameter is out of range 1~20,please check!");
    EXPECT_EQ(notifier.messages[1].second, "XPD XdB parameter is out of range 1~20,please check!");
}

TEST_F(SettingsVerticalTest, SuccessClearsOnlyTheVerticalFlags) {
    PatternFile& file = AddAnalysedFile("/m/a.msi");
    ASSERT_EQ(AcceptVSetup(doc, ValidManualForm()), VSetupStep::Ok);
    const std::array<bool, 6> expected{true, false, true, true, true, false};
    EXPECT_EQ(file.results.flags, expected);
}

TEST_F(SettingsVerticalTest, DefaultsLeaveTheSectorChoiceAlone) {
    store->WriteConfig(kVSetupSection, kManualKey, "FALSE");
    store->WriteConfig(kVSetupSection, kAutoKey, "TRUE");
    doc.Vpara.FSU_envcal = 0;
    const VSetupForm form = ApplyVSetupDefaults(doc);
    EXPECT_EQ(form.sectorChoice, SectorChoice::Automatic);
    EXPECT_TRUE(form.envelopeEnabled);
    EXPECT_EQ(doc.Vpara.FSU_envcal, 1);
    EXPECT_EQ(Stored(kVSetupSection, kManualKey), "FALSE");
    EXPECT_EQ(Stored(kVSetupSection, kEnvCalKey), "TRUE");
    EXPECT_EQ(Stored(kVSetupSection, "IDC_EDIT_72"), "");
    EXPECT_EQ(Stored(kVSetupSection, "IDC_EDIT_3"), "-150");
    EXPECT_EQ(doc.Vpara.SS_sectors, VPara{}.SS_sectors);
}

TEST_F(SettingsVerticalTest, RadiationChoiceIsStoredAndClearsThePreparationFlag) {
    for (bool vertical : {true, false}) {
        PatternFile& file = AddAnalysedFile("/m/a.msi");
        AcceptRadiationSetup(doc, RadiationForm{vertical});
        EXPECT_EQ(doc.Vpara.GainCalc_v, vertical ? 1 : 0);
        EXPECT_EQ(Stored(kVSetupSection, kGainCalcVKey), vertical ? "TRUE" : "FALSE");
        EXPECT_EQ(Stored(kVSetupSection, kGainCalcHKey), vertical ? "FALSE" : "TRUE");
        EXPECT_EQ(OpenRadiationForm(doc).verticalPattern, vertical);
        const std::array<bool, 6> expected{true, true, false, true, true, true};
        EXPECT_EQ(file.results.flags, expected);
    }
}

} // namespace
