#include "commands/EditSteps.h"

#include <memory>
#include <vector>

#include "commands/Analysis.h"
#include "analysis/DoneFlags.h"
#include "commands/ConfigWrites.h"
#include "document/QuadrelDoc.h"
#include "operations/PatternDrag.h"

namespace {

PatternFile& ChangedFile(CQuadrelDoc& doc, const SampleChange& change) {
    return doc.table.at(change.key);
}

// Edited samples are drawn as they now are, not through a display copy of the samples before.
PatternFile& EditedFile(CQuadrelDoc& doc, const SampleChange& change) {
    PatternFile& file = ChangedFile(doc, change);
    file.showDisplayCopy = false;
    return file;
}

// Their samples may already have been moved into the table: only the keys of `changes` are read.
void ReanalyseCuts(CQuadrelDoc& doc, const std::vector<SampleChange>& changes) {
    // Only the sample-dependent groups run again: the preparation group (gain) does not depend on
    // the samples and keeps its done flag, so its results are not computed twice.
    for (const SampleChange& change : changes)
        ClearDoneFlags(ChangedFile(doc, change).results,
                       {kDoneHCo, kDoneVCo, kDoneUnused, kDoneHCr, kDoneVCr});
    for (const SampleChange& change : changes) AnalyseFile(doc, change.key);
}

void ReanalyseChanged(CQuadrelDoc& doc, const std::vector<SampleChange>& changes) {
    ReanalyseCuts(doc, changes);
    doc.GetListener().RefreshCurrentResults();
    doc.GetListener().RefreshAllResults();
}

// Keeps the samples as they are before this rotation; an undo step taken back is forgotten first.
void RememberSamples(RotationHistory& history, const PatternFile& file) {
    history.entries.resize(KeptHistoryEntries(history));
    history.entries.push_back({file.key, file.samples});
    history.position = -1;
}

} // namespace

LevelSettings AcceptLevelForm(CQuadrelDoc& doc, const LevelForm& form) {
    LevelFormOutcome outcome = AcceptedLevelForm(form);
    ApplyConfigWrites(doc, outcome.writes);
    doc.levelAdjust = outcome.settings;
    return outcome.settings;
}

void AdjustLevels(CQuadrelDoc& doc, const LevelSettings& settings) {
    std::vector<SampleChange> changes = LevelAdjustedSamples(doc, settings);
    for (SampleChange& change : changes) EditedFile(doc, change).samples = std::move(change.samples);
    ReanalyseChanged(doc, changes);
}

bool DragPatternBy(CQuadrelDoc& doc, double deltaDb) {
    std::optional<SampleChange> change = DraggedSamples(doc, deltaDb);
    if (!change) return false;
    EditedFile(doc, *change).samples = std::move(change->samples);
    // The panes rebuild once, when the mouse is released.
    ReanalyseCuts(doc, {*change});
    return true;
}

std::optional<RotationSettings> AcceptRotationForm(CQuadrelDoc& doc, const RotationForm& form) {
    const std::optional<RotationFormOutcome> outcome = AcceptedRotationForm(doc, form);
    if (!outcome) return std::nullopt;
    ApplyConfigWrites(doc, outcome->writes);
    doc.rotation = outcome->settings;
    return outcome->settings;
}

void DisplayRotate(CQuadrelDoc& doc, const RotationSettings& settings) {
    for (SampleChange& copy : DisplayRotatedSamples(doc, settings)) {
        PatternFile& file = ChangedFile(doc, copy);
        file.showDisplayCopy = true;
        file.displayCopy = std::make_unique<Cut>(std::move(copy.samples));
    }
}

void DataRotate(CQuadrelDoc& doc, const RotationSettings& settings) {
    std::vector<SampleChange> changes = DataRotatedSamples(doc, settings);
    for (SampleChange& change : changes) {
        PatternFile& file = EditedFile(doc, change);
        // "Non Rotate" saves the samples before it like any rotation, so it is taken back the same way.
        RememberSamples(doc.rotationHistory, file);
        file.samples = std::move(change.samples);
    }
    ReanalyseChanged(doc, changes);
}
