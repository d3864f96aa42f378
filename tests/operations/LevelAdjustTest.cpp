#include <gtest/gtest.h>

#include "OperationsTestFixture.h"
#include "commands/EditSteps.h"
#include "operations/LevelAdjust.h"

namespace {

using LevelAdjustTest = OperationsTest;

LevelSettings ByValue(float value) {
    LevelSettings settings;
    settings.adjustValue = value;
    return settings;
}

LevelSettings To(float level) {
    LevelSettings settings;
    settings.byValue = false;
    settings.targetLevel = level;
    return settings;
}

LevelSettings InRange(LevelSettings settings, float from, float to) {
    settings.rangeMode = LevelSettings::AngleRange;
    settings.fromAngle = from;
    settings.toAngle = to;
    return settings;
}

// The level change of every sample, in sample order.
std::vector<float> Changes(const Cut& before, const Cut& after) {
    std::vector<float> changes;
    for (size_t i = 0; i < before.size(); ++i) changes.push_back(after[i].fMag - before[i].fMag);
    return changes;
}

float ChangeAt(const Cut& before, const Cut& after, int angle) {
    const size_t i = static_cast<size_t>(angle + 179);
    EXPECT_EQ(after[i].fAngle, static_cast<float>(angle));
    return after[i].fMag - before[i].fMag;
}

TEST_F(LevelAdjustTest, AdjustToMovesTheCrossPolarPartnerByTheSameAmount) {
    for (bool coFirst : {true, false}) {
        doc.table.clear();
        const Cut co = AddCut(kCoPath, "h", "co", 0, -1.5f).samples;
        const Cut cr = AddCut(crPath, "h", "cr", 20, -22).samples;
        doc.selectionList =
            coFirst ? std::vector<std::string>{kCoPath, crPath} : std::vector<std::string>{crPath, kCoPath};
        AdjustLevels(doc, To(-3));
        for (float change : Changes(co, doc.Find(kCoPath)->samples)) EXPECT_NEAR(change, -1.5f, 1e-4);
        for (float change : Changes(cr, doc.Find(crPath)->samples)) EXPECT_NEAR(change, -1.5f, 1e-4);
    }
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(LevelAdjustTest, RangeExcludesItsBoundsAndDoesNotWrap) {
    struct Case {
        float from;
        float to;
        std::vector<std::pair<int, float>> expected; // (angle, change)
    };
    const Case cases[] = {
        {-30, 30, {{-31, 0}, {-30, 0}, {-29, 2}, {0, 2}, {29, 2}, {30, 0}, {180, 0}}},
        {30, -30, {{-29, 0}, {0, 0}, {29, 0}, {-179, 0}, {180, 0}}},
        {170, -170, {{175, 0}, {180, 0}, {-175, 0}}},
        {-30.5f, -29.5f, {{-31, 0}, {-30, 2}, {-29, 0}}},
    };
    for (const Case& c : cases) {
        doc.table.clear();
        const Cut before = AddCut(kCoPath, "h", "co", 0, 0).samples;
        Select({kCoPath});
        AdjustLevels(doc, InRange(ByValue(2), c.from, c.to));
        for (const auto& [angle, change] : c.expected)
            EXPECT_FLOAT_EQ(ChangeAt(before, doc.Find(kCoPath)->samples, angle), change)
                << c.from << ".." << c.to << " at " << angle;
    }
}

TEST_F(LevelAdjustTest, AdjustmentsAccumulateAndHideTheDisplayCopy) {
    PatternFile& file = AddCut(kCoPath, "h", "co", 0, 0);
    const Cut before = file.samples;
    file.showDisplayCopy = true;
    Select({kCoPath});
    AdjustLevels(doc, ByValue(1));
    AdjustLevels(doc, ByValue(1));
    for (float change : Changes(before, file.samples)) EXPECT_NEAR(change, 2.0f, 1e-4);
    EXPECT_FALSE(file.showDisplayCopy);
}

TEST_F(LevelAdjustTest, VerticalCutsFollowTheirVerticalMaximum) {
    const std::string path = "/m/s_p_m_d_b_n/p1_+45_e_co_6_0_1800.msi";
    const Cut before = AddCut(path, "e", "co", 4, 2.5f).samples;
    Select({path});
    AdjustLevels(doc, To(0));
    for (float change : Changes(before, doc.Find(path)->samples)) EXPECT_NEAR(change, -2.5f, 1e-4);
}

TEST_F(LevelAdjustTest, MissingPartnerIsReportedOnlyWhenAdjustingToALevel) {
    const Cut before = AddCut(crPath, "h", "cr", 0, -20).samples;
    Select({crPath});
    AdjustLevels(doc, ByValue(1));
    EXPECT_TRUE(notifier.messages.empty());
    AdjustLevels(doc, To(-3)); // relative to 0 dB
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, kPartnerMissing);
    for (float change : Changes(before, doc.Find(crPath)->samples)) EXPECT_NEAR(change, -2.0f, 1e-4);
}

TEST_F(LevelAdjustTest, NothingSelectedChangesNothingButRefreshesThePanes) {
    const Cut before = AddCut(kCoPath, "h", "co", 0, 0).samples;
    doc.selectionList = {"/m/not/loaded.msi"};
    AdjustLevels(doc, ByValue(3));
    for (float change : Changes(before, doc.Find(kCoPath)->samples)) EXPECT_EQ(change, 0.0f);
    EXPECT_EQ(listener.current, 1);
    EXPECT_EQ(listener.all, 1);
}

TEST_F(LevelAdjustTest, LevelChangesAreAnalysedAgainExceptTheGainGroup) {
    PatternFile& file = AddCut(kCoPath, "h", "xx", 0, 0); // no analysis group runs for it
    file.results.flags.fill(true);
    Select({kCoPath});
    AdjustLevels(doc, ByValue(1));
    const std::array<bool, 6> expected{false, false, true, false, false, false};
    EXPECT_EQ(file.results.flags, expected);
}

TEST_F(LevelAdjustTest, DialogRangeIsStoredAndValuesAreRemembered) {
    LevelForm form;
    form.overall = false;
    form.fromText = "-30";
    form.toText = "30.5";
    form.byValue = false;
    form.valueText = "1";
    form.targetText = "-3";
    const LevelSettings settings = AcceptLevelForm(doc, form);
    EXPECT_EQ(settings.rangeMode, LevelSettings::AngleRange);
    EXPECT_EQ(settings.fromAngle, -30.0f);
    EXPECT_EQ(settings.toAngle, 30.5f);
    EXPECT_EQ(settings.targetLevel, -3.0f);
    EXPECT_FALSE(settings.byValue);
    EXPECT_EQ(store->ReadConfig(kLevelSection, kLevelWholeKey), "FALSE");
    EXPECT_EQ(store->ReadConfig(kLevelSection, kLevelPartKey), "TRUE");
    EXPECT_EQ(store->ReadConfig(kLevelSection, kLevelToKey), "30.5");

    const LevelForm reopened = OpenLevelForm(doc);
    EXPECT_FALSE(reopened.overall);
    EXPECT_EQ(reopened.fromText, "-30");
    EXPECT_EQ(reopened.toText, "30.5");
    EXPECT_FALSE(reopened.byValue);
    EXPECT_EQ(reopened.targetText, "-3");
}

TEST_F(LevelAdjustTest, EmptyStoreOpensOnTheWholeCut) {
    EXPECT_TRUE(OpenLevelForm(doc).overall);
}

} // namespace
