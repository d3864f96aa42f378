#include "commands/EditCommands.h"

#include "commands/Analysis.h"
#include "commands/EditSteps.h"
#include "commands/StartUp.h"
#include "commands/UndoHistory.h"
#include "operations/CutReference.h"
#include "operations/PatternDrag.h"

namespace {
// After samples changed: the markers stand on the new extremes.
void ShowChangedCuts(Session& session, const EditScope& scope) {
    session.Doc().GetListener().DocumentChanged(ChangeOf(scope));
    RebuildMarkerList(session.Doc(), session.plot.markerSwitches, session.plot.markers);
    session.Doc().GetListener().RedrawView();
}

void RefreshPanes(Session& session) {
    session.Doc().GetListener().RefreshCurrentResults();
    session.Doc().GetListener().RefreshAllResults();
}

EditScope SelectedCuts(Session& session) {
    EditScope scope;
    for (const PatternFile* file : SelectedFiles(session.Doc())) scope.sampleKeys.push_back(file->key);
    return scope;
}

EditScope RotationScope(Session& session) {
    EditScope scope = SelectedCuts(session);
    scope.rotation = true;
    return scope;
}

// Undo and redo bring back results as they were then; a cut selected since may have been analysed
// only later, and the panes show it analysed (cuts analysed then are left bit for bit).
void ShowRestoredState(Session& session, const EditScope& scope) {
    for (const PatternFile* file : SelectedFiles(session.Doc())) AnalyseFile(session.Doc(), file->key);
    ShowChangedCuts(session, scope);
    RefreshPanes(session);
}
} // namespace

bool RotationOk(Session& session, const RotationForm& form, bool inData) {
    const EditScope scope = RotationScope(session);
    UndoRecord record(session.Doc(), session.history, inData ? kEditRotateData : kEditRotateDisplay, scope);
    const std::optional<RotationSettings> settings = AcceptRotationForm(session.Doc(), form);
    if (!settings) return false;
    if (inData)
        DataRotate(session.Doc(), *settings);
    else
        DisplayRotate(session.Doc(), *settings);
    record.Commit();
    ShowChangedCuts(session, scope);
    return true;
}

void NonRotateCommand(Session& session) {
    const EditScope scope = RotationScope(session);
    UndoRecord record(session.Doc(), session.history, kEditNonRotate, scope);
    // "Non Rotate" is a data rotation whose amount is each cut's first saved samples, so it goes
    // through the rotation history (and is itself undone like a rotation) without changing the
    // dialog's settings.
    RotationSettings settings = session.Doc().rotation;
    settings.mode = RotationSettings::NonRotate;
    DataRotate(session.Doc(), settings);
    record.Commit();
    ShowChangedCuts(session, scope);
}

void LevelOk(Session& session, const LevelForm& form) {
    EditScope scope = SelectedCuts(session);
    scope.level = true;
    UndoRecord record(session.Doc(), session.history, kEditLevel, scope);
    AdjustLevels(session.Doc(), AcceptLevelForm(session.Doc(), form));
    record.Commit();
    ShowChangedCuts(session, scope);
}

bool DragPressCommand(Session& session) {
    const PatternFile* file = DraggedPattern(session.Doc());
    if (!file) return false;
    // Every press is one entry, as the drag store always kept one snapshot per press; what the
    // moves change is taken back by the entry's undo.
    UndoRecord(session.Doc(), session.history, kEditPatternDrag, EditScope{{file->key}}).Commit();
    return true;
}

bool DragMoveCommand(Session& session, double deltaDb) {
    const PatternFile* file = DraggedPattern(session.Doc());
    if (!file || !DragPatternBy(session.Doc(), deltaDb)) return false;
    ShowChangedCuts(session, EditScope{{file->key}});
    return true;
}

void DragReleaseCommand(Session& session) {
    RefreshPanes(session);
}

bool UndoCommand(Session& session) {
    const EditScope scope = session.history.UndoScope();
    if (!session.history.Undo(session.Doc())) return false;
    ShowRestoredState(session, scope);
    return true;
}

bool RedoCommand(Session& session) {
    const EditScope scope = session.history.RedoScope();
    if (!session.history.Redo(session.Doc())) return false;
    ShowRestoredState(session, scope);
    return true;
}
