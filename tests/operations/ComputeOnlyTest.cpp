#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "OperationsTestFixture.h"
#include "commands/EditSteps.h"
#include "operations/PatternDrag.h"

namespace {

using ComputeOnlyTest = OperationsTest;

bool SameSamples(const Cut& a, const Cut& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](const auto& p, const auto& q) { return p.fAngle == q.fAngle && p.fMag == q.fMag; });
}

// What an applied operation would change.
struct DocState {
    std::vector<Cut> samples;
    std::vector<bool> showsCopy;
    std::vector<std::array<bool, 6>> flags;
    size_t historyEntries = 0;
    int32_t rotationMode = 0;
    int panesRebuilt = 0;
    bool stored = false;
};

// Computing an operation leaves the document as it was: only the command that applies the result
// changes samples, display copies, done flags, the rotation history, the settings or the store.
TEST_F(ComputeOnlyTest, ComputingChangesNothingUntilApplied) {
    AddCut(kCoPath, "h", "co", 12, 0);
    AddCut(crPath, "h", "cr", -40, -25);
    Select({kCoPath, crPath});
    DataRotate(doc, RotationSettings{RotationSettings::RotateBy, 0, 10});
    for (auto& [key, file] : doc.table) file.results.flags.fill(true);
    const auto state = [&] {
        DocState s;
        for (const auto& [key, file] : doc.table) {
            s.samples.push_back(file.samples);
            s.showsCopy.push_back(file.showDisplayCopy || file.displayCopy);
            s.flags.push_back(file.results.flags);
        }
        s.historyEntries = doc.rotationHistory.entries.size();
        s.rotationMode = doc.rotation.mode;
        s.panesRebuilt = listener.current + listener.all;
        s.stored = std::filesystem::exists(store->FilePath());
        return s;
    };
    const DocState before = state();

    using Changes = std::vector<SampleChange>;
    const RotationSettings by5{RotationSettings::RotateBy, 0, 5};
    const RotationSettings nonRotate{RotationSettings::NonRotate, 0, 0};
    LevelSettings lower;
    lower.adjustValue = -2;
    const std::pair<const char*, std::function<Changes()>> cases[] = {
        {"data rotation", [&] { return DataRotatedSamples(doc, by5); }},
        {"non rotate", [&] { return DataRotatedSamples(doc, nonRotate); }},
        {"display rotation", [&] { return DisplayRotatedSamples(doc, by5); }},
        {"level", [&] { return LevelAdjustedSamples(doc, lower); }},
        {"drag", [&] { return Changes{*DraggedSamples(doc, 1.5)}; }},
        {"rotation form",
         [&] {
             const auto outcome = AcceptedRotationForm(doc, RotationForm{RotationSettings::ToZero, "5", "6"});
             EXPECT_EQ(outcome->writes.size(), 3u);
             return Changes{};
         }},
    };
    for (const auto& [name, compute] : cases) {
        for (const SampleChange& change : compute())
            EXPECT_FALSE(SameSamples(change.samples, doc.table.at(change.key).samples)) << name;
        const DocState after = state();
        EXPECT_EQ(after.samples.size(), before.samples.size()) << name;
        for (size_t i = 0; i < after.samples.size(); ++i)
            EXPECT_TRUE(SameSamples(after.samples[i], before.samples[i])) << name << " cut " << i;
        EXPECT_EQ(after.showsCopy, before.showsCopy) << name;
        EXPECT_EQ(after.flags, before.flags) << name;
        EXPECT_EQ(after.historyEntries, before.historyEntries) << name;
        EXPECT_EQ(after.rotationMode, before.rotationMode) << name;
        EXPECT_EQ(after.panesRebuilt, before.panesRebuilt) << name;
        EXPECT_EQ(after.stored, before.stored) << name;
    }
}

} // namespace
