#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "OperationsTestFixture.h"
#include "commands/EditSteps.h"
#include "operations/PatternDrag.h"

namespace {

class ComputeOnlyTest : public OperationsTest {
  protected:
    // Everything an applied operation changes: samples, display copies, done flags, the rotation
    // history and settings, the panes and the store.
    std::vector<double> State() const {
        std::vector<double> state;
        for (const auto& [key, file] : doc.table) {
            for (const PatternPoint& point : file.samples)
                state.insert(state.end(), {point.fAngle, point.fMag});
            state.insert(state.end(), {double(file.showDisplayCopy), double(file.displayCopy != nullptr)});
            state.insert(state.end(), file.results.flags.begin(), file.results.flags.end());
        }
        state.insert(state.end(), {double(doc.rotationHistory.entries.size()), double(doc.rotation.mode),
                                   double(listener.current + listener.all),
                                   double(std::filesystem::exists(store->FilePath()))});
        return state;
    }
};

bool SameSamples(const Cut& a, const Cut& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto& p, const auto& q) { return p.fAngle == q.fAngle && p.fMag == q.fMag; });
}

// Only the command that applies an operation's outcome changes the document.
TEST_F(ComputeOnlyTest, ComputingChangesNothingUntilApplied) {
    AddCut(kCoPath, "h", "co", 12, 0);
    AddCut(crPath, "h", "cr", -40, -25);
    Select({kCoPath, crPath});
    DataRotate(doc, RotationSettings{RotationSettings::RotateBy, 0, 10});
    const std::vector<double> before = State();

    using Changes = std::vector<SampleChange>;
    const RotationSettings by5{RotationSettings::RotateBy, 0, 5};
    LevelSettings lower;
    lower.adjustValue = -2;
    const std::pair<const char*, std::function<Changes()>> cases[] = {
        {"data rotation", [&] { return DataRotatedSamples(doc, by5); }},
        {"non rotate",
         [&] {
             return DataRotatedSamples(doc, {RotationSettings::NonRotate, 0, 0});
         }},
        {"display rotation", [&] { return DisplayRotatedSamples(doc, by5); }},
        {"level", [&] { return LevelAdjustedSamples(doc, lower); }},
        {"drag", [&] { return Changes{*DraggedSamples(doc, 1.5)}; }},
        {"rotation form",
         [&] {
             EXPECT_EQ(AcceptedRotationForm(doc, {RotationSettings::ToZero, "5", "6"})->writes.size(), 3u);
             return Changes{};
         }},
    };
    for (const auto& [name, compute] : cases) {
        for (const SampleChange& change : compute())
            EXPECT_FALSE(SameSamples(change.samples, doc.table.at(change.key).samples)) << name;
        EXPECT_EQ(State(), before) << name;
    }
}

} // namespace
