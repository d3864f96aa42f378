#include <gtest/gtest.h>

#include "SettingsTestFixture.h"
#include "analysis/AnalysisSettingsLoad.h"
#include "analysis/HorizontalSetup.h"
#include "analysis/SettingsKeys.h"
#include "analysis/VerticalSetup.h"
#include "commands/SettingsApply.h"

namespace {

using SettingsLoadTest = SettingsTest;

TEST_F(SettingsLoadTest, EmptyStoreDecodesToModeOneZerosAndEnabledEnvelope) {
    LoadAnalysisSettings(doc);
    const HPara& h = doc.Hpara;
    EXPECT_EQ(h.RefLevel_mode, 1);
    EXPECT_EQ(h.RefAngle_mode, 1);
    EXPECT_EQ(h.Round_mode, 1);
    EXPECT_EQ(h.THP_mode, 1);
    EXPECT_EQ(h.SPR_mode, 1);
    for (float value : {h.HBW_xdb, h.Lean_xdb, h.THP_xdeg, h.SPR_xdeg, h.SPR_xdb, h.XPD_xdeg, h.XPD_xdb})
        EXPECT_EQ(value, 0.0f);
    for (int32_t value : {h.PX_level, h.NX_level, h.FBR_xdeg, h.FBR_tdeg, h.SPR_type}) EXPECT_EQ(value, 0);
    EXPECT_EQ(h.THP_xdb, std::vector<float>{0.0f}); // the remainder of an empty text is one piece

    const VPara& v = doc.Vpara;
    const VPara initial;
    EXPECT_EQ(v.GainCalc_v, 0);
    EXPECT_EQ(v.VBW_xdb, 0.0f);
    EXPECT_EQ(v.VXPD_xdb, 0.0f);
    EXPECT_EQ(v.FSU_envcal, 1);
    // Neither the sector table nor the envelope numbers are taken from a store that lacks them.
    EXPECT_EQ(v.SS_sectors, initial.SS_sectors);
    EXPECT_EQ(v.FSU_env, initial.FSU_env);
    EXPECT_EQ(v.FSD_env, initial.FSD_env);
    EXPECT_EQ(v.Env_range, initial.Env_range);
}

TEST_F(SettingsLoadTest, HandEditedExtremesAreBoundedWhereTheyAreDecoded) {
    // Negating INT_MIN, or casting 1e300 to float, would be undefined in the indicator routines.
    struct Case {
        std::string_view key;
        const char* stored;
    } cases[] = {{kNxLevelKey, "-2147483648"},
                 {kPxLevelKey, "99999999999"},
                 {kHbwXdbKey, "1e300"},
                 {kXpdXdegKey, "-1e999"}};
    for (const Case& c : cases) store->WriteConfig(kHSetupSection, c.key, c.stored);
    LoadAnalysisSettings(doc);
    EXPECT_EQ(doc.Hpara.NX_level, -1000000);
    EXPECT_EQ(doc.Hpara.PX_level, 1000000);
    EXPECT_EQ(doc.Hpara.HBW_xdb, 1e6f);
    EXPECT_EQ(doc.Hpara.XPD_xdeg, 0.0f); // -1e999 reads as minus infinity: no value, as an empty entry
}

TEST_F(SettingsLoadTest, RadioPairIsModeZeroOnlyForTrueThenFalse) {
    struct Case {
        const char* first;
        const char* second;
        int32_t mode;
    };
    const Case cases[] = {{"TRUE", "FALSE", 0}, {"FALSE", "TRUE", 1}, {"TRUE", "TRUE", 1},
                          {"TRUE", "", 1},      {"", "FALSE", 1},     {"true", "FALSE", 1}};
    for (const Case& c : cases) {
        store->WriteConfig(kHSetupSection, kRoundKeys.first, c.first);
        store->WriteConfig(kHSetupSection, kRoundKeys.second, c.second);
        EXPECT_EQ(DecodeRadioPair(doc, kHSetupSection, kRoundKeys), c.mode) << c.first << "/" << c.second;
    }
}

TEST_F(SettingsLoadTest, NumbersDecodeAsTypedIntegersTruncate) {
    const std::string_view s = kHSetupSection;
    store->WriteConfig(s, kHbwXdbKey, "7.5");
    store->WriteConfig(s, kPxLevelKey, "45.9");
    store->WriteConfig(s, kFbrXdegKey, "-170");
    store->WriteConfig(s, kThpXdbKey, "3,6.5,x,10");
    store->WriteConfig(s, kSprTypeKey, "3");
    store->WriteConfig(s, kXpdXdegKey, "20.5");
    store->WriteConfig(s, kXpdXdbKey, "2.5");
    LoadAnalysisSettings(doc);
    EXPECT_EQ(doc.Hpara.HBW_xdb, 7.5f);
    EXPECT_EQ(doc.Hpara.PX_level, 45);
    EXPECT_EQ(doc.Hpara.FBR_xdeg, -170);
    EXPECT_EQ(doc.Hpara.THP_xdb, (std::vector<float>{3.0f, 6.5f, 0.0f, 10.0f}));
    EXPECT_EQ(doc.Hpara.SPR_type, 3);
    EXPECT_EQ(doc.Hpara.XPD_xdeg, 20.5f);
    EXPECT_EQ(doc.Hpara.XPD_xdb, 2.5f);
}

TEST_F(SettingsLoadTest, SectorRowsAreReadOnlyInManualMode) {
    const std::string_view s = kVSetupSection;
    store->WriteConfig(s, "IDC_EDIT_1", "5");
    store->WriteConfig(s, "IDC_EDIT_72", "-7"); // row 7's end key
    struct Case {
        const char* manual;
        const char* automatic;
        bool read;
    };
    for (const Case& c : {Case{"TRUE", "FALSE", true}, Case{"TRUE", "TRUE", false},
                          Case{"FALSE", "TRUE", false}, Case{"TRUE", "", false}}) {
        store->WriteConfig(s, kManualKey, c.manual);
        store->WriteConfig(s, kAutoKey, c.automatic);
        auto next = Restart();
        LoadAnalysisSettings(*next);
        EXPECT_EQ(next->Vpara.SS_manual, c.manual);
        EXPECT_EQ(next->Vpara.SS_auto, c.automatic);
        if (c.read) {
            ASSERT_EQ(next->Vpara.SS_sectors.size(), 10u);
            EXPECT_EQ(next->Vpara.SS_sectors[0], (std::pair<std::string, std::string>{"5", ""}));
            EXPECT_EQ(next->Vpara.SS_sectors[6], (std::pair<std::string, std::string>{"", "-7"}));
            EXPECT_EQ(next->Vpara.SS_sectors[9], (std::pair<std::string, std::string>{"", ""}));
        } else {
            EXPECT_EQ(next->Vpara.SS_sectors, VPara{}.SS_sectors) << c.manual << "/" << c.automatic;
        }
    }
}

TEST_F(SettingsLoadTest, EnvelopeNumbersNeedTheCheckBoxAndOnlyFalseDisablesIt) {
    const std::string_view s = kVSetupSection;
    store->WriteConfig(s, kFsuEnvKey, "-40");
    store->WriteConfig(s, kFsdEnvKey, "30");
    store->WriteConfig(s, kEnvRangeKey, "8");
    struct Case {
        const char* check;
        bool read;
        int32_t enabled;
    };
    for (const Case& c :
         {Case{"TRUE", true, 1}, Case{"FALSE", false, 0}, Case{"", false, 1}, Case{"yes", false, 1}}) {
        store->WriteConfig(s, kEnvCalKey, c.check);
        auto next = Restart();
        LoadAnalysisSettings(*next);
        EXPECT_EQ(next->Vpara.FSU_envcal, c.enabled) << c.check;
        EXPECT_EQ(next->Vpara.FSU_env, c.read ? -40.0f : -60.0f) << c.check;
        EXPECT_EQ(next->Vpara.FSD_env, c.read ? 30.0f : 60.0f) << c.check;
        EXPECT_EQ(next->Vpara.Env_range, c.read ? 8.0f : 5.0f) << c.check;
    }
}

TEST_F(SettingsLoadTest, GainPatternIsVerticalOnlyWhenStoredTrue) {
    for (const auto& [text, expected] : {std::pair{"TRUE", 1}, std::pair{"FALSE", 0}, std::pair{"", 0}}) {
        store->WriteConfig(kVSetupSection, kGainCalcVKey, text);
        LoadAnalysisSettings(doc);
        EXPECT_EQ(doc.Vpara.GainCalc_v, expected) << text;
    }
}

TEST_F(SettingsLoadTest, DefaultsSurviveARestart) {
    LoadAnalysisSettings(doc);
    ApplyHSetupDefaults(doc);
    store->WriteConfig(kVSetupSection, kManualKey, "TRUE");
    store->WriteConfig(kVSetupSection, kAutoKey, "FALSE");
    ApplyVSetupDefaults(doc);

    auto next = Restart();
    LoadAnalysisSettings(*next);
    const HPara h;
    EXPECT_EQ(next->Hpara.RefLevel_mode, h.RefLevel_mode);
    EXPECT_EQ(next->Hpara.RefAngle_mode, h.RefAngle_mode);
    EXPECT_EQ(next->Hpara.Round_mode, h.Round_mode);
    EXPECT_EQ(next->Hpara.THP_mode, h.THP_mode);
    EXPECT_EQ(next->Hpara.SPR_mode, h.SPR_mode);
    EXPECT_EQ(next->Hpara.HBW_xdb, h.HBW_xdb);
    EXPECT_EQ(next->Hpara.PX_level, h.PX_level);
    EXPECT_EQ(next->Hpara.NX_level, h.NX_level);
    EXPECT_EQ(next->Hpara.FBR_xdeg, h.FBR_xdeg);
    EXPECT_EQ(next->Hpara.FBR_tdeg, h.FBR_tdeg);
    EXPECT_EQ(next->Hpara.Lean_xdb, h.Lean_xdb);
    EXPECT_EQ(next->Hpara.THP_xdeg, h.THP_xdeg);
    EXPECT_EQ(next->Hpara.THP_xdb, h.THP_xdb);
    EXPECT_EQ(next->Hpara.SPR_xdeg, h.SPR_xdeg);
    EXPECT_EQ(next->Hpara.SPR_xdb, h.SPR_xdb);
    EXPECT_EQ(next->Hpara.SPR_type, h.SPR_type);
    EXPECT_EQ(next->Hpara.XPD_xdeg, h.XPD_xdeg);
    EXPECT_EQ(next->Hpara.XPD_xdb, h.XPD_xdb);

    const VPara v;
    EXPECT_EQ(next->Vpara.VBW_xdb, v.VBW_xdb);
    EXPECT_EQ(next->Vpara.VXPD_xdb, v.VXPD_xdb);
    EXPECT_EQ(next->Vpara.SS_sectors, v.SS_sectors);
    EXPECT_EQ(next->Vpara.FSU_env, v.FSU_env);
    EXPECT_EQ(next->Vpara.FSD_env, v.FSD_env);
    EXPECT_EQ(next->Vpara.Env_range, v.Env_range);
    EXPECT_EQ(next->Vpara.FSU_envcal, 1);
}

} // namespace
