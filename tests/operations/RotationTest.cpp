#include <gtest/gtest.h>

#include "OperationsTestFixture.h"
#include "commands/EditSteps.h"
#include "operations/Rotation.h"

namespace {

using RotationTest = OperationsTest;

// Every sample of `after` sits `shift` degrees from the same sample of `before`, level unchanged.
void ExpectShifted(const Cut& before, const Cut& after, float shift) {
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_FLOAT_EQ(after[i].fAngle, before[i].fAngle + shift) << i;
        EXPECT_EQ(after[i].fMag, before[i].fMag) << i;
    }
}

RotationSettings Mode(int32_t mode, float target = 0, float angle = 0) {
    return RotationSettings{mode, target, angle};
}

TEST_F(RotationTest, CrossPolarCutFollowsItsCoPolarCutWhateverTheOrder) {
    for (bool coFirst : {true, false}) {
        doc.table.clear();
        const Cut co = AddCut(kCoPath, "h", "co", 12, 0).samples;
        const Cut cr = AddCut(crPath, "h", "cr", -40, -25).samples;
        doc.selectionList =
            coFirst ? std::vector<std::string>{kCoPath, crPath} : std::vector<std::string>{crPath, kCoPath};
        DataRotate(doc, Mode(RotationSettings::ToZero));
        ExpectShifted(co, doc.Find(kCoPath)->samples, -12);
        ExpectShifted(cr, doc.Find(crPath)->samples, -12);
    }
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(RotationTest, AmountPerMode) {
    AddCut(kCoPath, "h", "co", 12, 0, "6", "-3");
    const std::string vertical = "/m/s_p_m_d_b_n/p1_+45_e_co_6_0_1800.msi";
    AddCut(vertical, "e", "co", 4, 0, "6", "0");
    const std::string other = "/m/s_p_m_d_b_n/p1_+45_x_co_6_0_1800.msi";
    AddCut(other, "x", "co", 4, 0, "6", "5");
    const std::string unknownComponent = "/m/s_p_m_d_b_n/p1_+45_h_zz_6_0_1800.msi";
    AddCut(unknownComponent, "h", "zz", 7, 0, "6", "5");
    struct Case {
        std::string path;
        RotationSettings settings;
        double amount;
    };
    const Case cases[] = {
        {kCoPath, Mode(RotationSettings::ToZero), -12},
        {kCoPath, Mode(RotationSettings::RotateTo, 30), 18},
        {kCoPath, Mode(RotationSettings::ToNominal), -15}, // direction token -3 for "h"
        {kCoPath, Mode(RotationSettings::RotateBy, 0, 7.5f), 7.5},
        {vertical, Mode(RotationSettings::ToNominal), 2}, // tilt 6, maximum at 4
        {other, Mode(RotationSettings::ToNominal, 0, 0), 0},
        {unknownComponent, Mode(RotationSettings::ToZero), 0},
        {unknownComponent, Mode(RotationSettings::RotateBy, 0, -3), -3},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(RotationAmount(doc, *doc.Find(c.path), c.settings), c.amount)
            << c.path << " mode " << c.settings.mode;
}

TEST_F(RotationTest, NominalPointOnAVerticalCutMovesByTiltMinusMaximum) {
    const std::string path = "/m/s_p_m_d_b_n/p1_+45_e_co_6_0_1800.msi";
    const Cut before = AddCut(path, "e", "co", 4, 0, "6").samples;
    Select({path});
    DataRotate(doc, Mode(RotationSettings::ToNominal));
    ExpectShifted(before, doc.Find(path)->samples, 2);
}

TEST_F(RotationTest, DisplayRotationsStartFromTheDataRotationsAccumulate) {
    const Cut before = AddCut(kCoPath, "h", "co", 0, 0).samples;
    Select({kCoPath});
    const RotationSettings by10 = Mode(RotationSettings::RotateBy, 0, 10);

    DisplayRotate(doc, by10);
    DisplayRotate(doc, by10);
    PatternFile& file = *doc.Find(kCoPath);
    ASSERT_TRUE(file.displayCopy);
    EXPECT_TRUE(file.showDisplayCopy);
    ExpectShifted(before, *file.displayCopy, 10);
    ExpectShifted(before, file.samples, 0);

    DataRotate(doc, by10);
    DataRotate(doc, by10);
    EXPECT_FALSE(file.showDisplayCopy);
    ExpectShifted(before, file.samples, 20);
    EXPECT_EQ(listener.current, 2);
    EXPECT_EQ(listener.all, 2);
}

TEST_F(RotationTest, AnglesAreNotFoldedBack) {
    AddCut(kCoPath, "h", "co", 0, 0);
    Select({kCoPath});
    DataRotate(doc, Mode(RotationSettings::RotateBy, 0, 10));
    const Cut& samples = doc.Find(kCoPath)->samples;
    EXPECT_EQ(samples.back().fAngle, 190.0f);
    EXPECT_EQ(samples[175 + 179].fAngle, 185.0f); // the sample that was at 175
    EXPECT_EQ(samples.front().fAngle, -169.0f);   // order kept, nothing resorted
}

TEST_F(RotationTest, MissingCoPolarPartnerIsReportedOncePerCutAndUsesZero) {
    AddCut(crPath, "h", "cr", 12, -20);
    Select({crPath});
    const Cut before = doc.Find(crPath)->samples;
    DataRotate(doc, Mode(RotationSettings::RotateTo, 5));
    ExpectShifted(before, doc.Find(crPath)->samples, 5);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, kPartnerMissing);
}

TEST_F(RotationTest, NonRotateGivesEachPatternItsOwnOriginalSamples) {
    const std::string other = "/m/s_p_m_d_b_n/p2_+45_h_co_6_0_1800.msi";
    const Cut originalA = AddCut(kCoPath, "h", "co", 0, 0).samples;
    const Cut originalB = AddCut(other, "h", "co", 30, -2).samples;

    Select({kCoPath});
    DataRotate(doc, Mode(RotationSettings::RotateBy, 0, 10));
    Select({other, kCoPath});
    DataRotate(doc, Mode(RotationSettings::RotateBy, 0, 5));
    ExpectShifted(originalA, doc.Find(kCoPath)->samples, 15);
    ExpectShifted(originalB, doc.Find(other)->samples, 5);

    DataRotate(doc, Mode(RotationSettings::NonRotate));
    ExpectShifted(originalA, doc.Find(kCoPath)->samples, 0);
    ExpectShifted(originalB, doc.Find(other)->samples, 0);
    for (const RotationHistory::Entry& entry : doc.rotationHistory.entries)
        EXPECT_EQ(entry.samples.size(), doc.Find(entry.key)->samples.size());
}

TEST_F(RotationTest, NonRotateOfANeverRotatedPatternKeepsItsSamples) {
    const Cut before = AddCut(kCoPath, "h", "co", 3, 0).samples;
    Select({kCoPath});
    DataRotate(doc, Mode(RotationSettings::NonRotate));
    ExpectShifted(before, doc.Find(kCoPath)->samples, 0);
}

TEST_F(RotationTest, DisplayNonRotateShowsEverySelectedCutUnrotated) {
    const std::string other = "/m/s_p_m_d_b_n/p2_+45_h_co_6_0_1800.msi";
    const Cut a = AddCut(kCoPath, "h", "co", 0, 0).samples;
    const Cut b = AddCut(other, "h", "co", 0, 0).samples;
    Select({kCoPath, other});
    DisplayRotate(doc, Mode(RotationSettings::RotateBy, 0, 10));
    DisplayRotate(doc, Mode(RotationSettings::NonRotate));
    ExpectShifted(a, *doc.Find(kCoPath)->displayCopy, 0);
    ExpectShifted(b, *doc.Find(other)->displayCopy, 0);
}

TEST_F(RotationTest, HistoryForgetsStepsTakenBackBeforeSaving) {
    AddCut(kCoPath, "h", "co", 0, 0);
    Select({kCoPath});
    const RotationSettings by1 = Mode(RotationSettings::RotateBy, 0, 1);
    for (int i = 0; i < 3; ++i) DataRotate(doc, by1);
    ASSERT_EQ(doc.rotationHistory.entries.size(), 3u);
    doc.rotationHistory.position = 1;
    DataRotate(doc, by1);
    ASSERT_EQ(doc.rotationHistory.entries.size(), 2u);
    EXPECT_EQ(doc.rotationHistory.position, -1);
    EXPECT_EQ(doc.rotationHistory.entries[1].samples.front().fAngle, -176.0f); // after three steps
}

TEST_F(RotationTest, NonRotateAfterStepsTakenBackUsesOnlyTheKeptEntries) {
    struct Case {
        int32_t position;
        float shiftLeft; // from the original samples, after "Non Rotate"
    };
    // Three rotations by 1: position 0 forgets all of them, so the current samples are the oldest.
    const Case cases[] = {{-1, 0}, {2, 0}, {1, 0}, {0, 3}};
    for (const Case& c : cases) {
        doc.table.clear();
        doc.rotationHistory = {};
        const Cut original = AddCut(kCoPath, "h", "co", 0, 0).samples;
        Select({kCoPath});
        for (int i = 0; i < 3; ++i) DataRotate(doc, Mode(RotationSettings::RotateBy, 0, 1));
        doc.rotationHistory.position = c.position;
        DataRotate(doc, Mode(RotationSettings::NonRotate));
        SCOPED_TRACE(c.position);
        ExpectShifted(original, doc.Find(kCoPath)->samples, c.shiftLeft);
    }
}

TEST_F(RotationTest, DialogEntriesAreCheckedStoredAndRestored) {
    struct Case {
        const char* target;
        const char* angle;
        bool accepted;
        float angleAfter; // the document's rotation angle: a refused form leaves it, and the store
        const char* storedAfter;
    };
    const Case cases[] = {{"360", "-360", true, -360, "-360"},
                          {"360.5", "0", false, -360, "-360"},
                          {"0", "-361", false, -360, "-360"},
                          {"abc", "12.5", true, 12.5f, "12.5"}};
    for (const Case& c : cases) {
        notifier.messages.clear();
        const auto settings =
            AcceptRotationForm(doc, RotationForm{RotationSettings::RotateBy, c.target, c.angle});
        EXPECT_EQ(settings.has_value(), c.accepted) << c.target << " " << c.angle;
        EXPECT_EQ(notifier.messages.size(), c.accepted ? 0u : 1u);
        EXPECT_EQ(doc.rotation.rotationAngle, c.angleAfter);
        EXPECT_EQ(store->ReadConfig(kRotateSection, kRotateAngleKey), c.storedAfter);
    }
    const RotationForm form = OpenRotationForm(doc);
    EXPECT_EQ(form.mode, RotationSettings::RotateBy);
    EXPECT_EQ(form.targetText, "abc");
    EXPECT_EQ(form.rotationText, "12.5");
    EXPECT_EQ(store->ReadConfig(kRotateSection, kRotateModeKey), "3");

    CQuadrelDoc next;
    next.AttachConfig(store);
    const RotationSettings stored = StoredRotationSettings(next);
    EXPECT_EQ(stored.mode, RotationSettings::RotateBy);
    EXPECT_EQ(stored.targetAngle, 0.0f);
    EXPECT_EQ(stored.rotationAngle, 12.5f);
}

} // namespace
