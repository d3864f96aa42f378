#include "commands/EditCommands.h"

#include "commands/StartUp.h"
#include "operations/PatternDrag.h"

namespace {
// After samples changed: the markers stand on the new extremes.
void ShowChangedCuts(Session& session) {
    RebuildMarkerList(session.Doc(), session.plot.markerSwitches, session.plot.markers);
    session.Doc().GetListener().RedrawView();
}

void RefreshPanes(Session& session) {
    session.Doc().GetListener().RefreshCurrentResults();
    session.Doc().GetListener().RefreshAllResults();
}
} // namespace

bool RotationOk(Session& session, const RotationForm& form, bool inData) {
    const std::optional<RotationSettings> settings = AcceptRotationForm(session.Doc(), form);
    if (!settings) return false;
    if (inData)
        DataRotate(session.Doc(), *settings);
    else
        DisplayRotate(session.Doc(), *settings);
    ShowChangedCuts(session);
    return true;
}

void NonRotateCommand(Session& session) {
    RotationSettings settings = session.Doc().rotation;
    settings.mode = RotationSettings::NonRotate;
    DataRotate(session.Doc(), settings);
    ShowChangedCuts(session);
}

void LevelOk(Session& session, const LevelForm& form) {
    AdjustLevels(session.Doc(), AcceptLevelForm(session.Doc(), form));
    ShowChangedCuts(session);
}

bool DragPressCommand(Session& session) {
    return TakeDragSnapshot(session.Doc());
}

bool DragMoveCommand(Session& session, double deltaDb) {
    if (!DragPatternBy(session.Doc(), deltaDb)) return false;
    ShowChangedCuts(session);
    return true;
}

void DragReleaseCommand(Session& session) {
    RefreshPanes(session);
}

bool UndoCommand(Session& session) {
    if (!UndoDrag(session.Doc())) return false;
    ShowChangedCuts(session);
    RefreshPanes(session);
    return true;
}

bool RedoCommand(Session& session) {
    if (!RedoDrag(session.Doc())) return false;
    ShowChangedCuts(session);
    RefreshPanes(session);
    return true;
}
