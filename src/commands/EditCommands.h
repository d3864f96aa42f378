#pragma once
#include "operations/LevelAdjust.h"
#include "operations/Rotation.h"

struct Session;

// The pattern operations as the user starts them: rotation and level dialogs, pattern drag with its
// undo store. Each leaves the markers on the changed cuts and redraws the view; the operations
// themselves rebuild Current Results (1138) and All Results (1139).

// The rotation dialog's OK, then the rotation for display or in the data. False (nothing rotated,
// the range message shown) when an angle is out of range.
bool RotationOk(Session& session, const RotationForm& form, bool inData);
// "Non Rotate" in the data: every selected cut gets its samples from before its first rotation.
void NonRotateCommand(Session& session);

// The level dialog's OK, then the adjustment of the selected cuts.
void LevelOk(Session& session, const LevelForm& form);

// Pattern drag: the press takes an undo snapshot, every move shifts the first selected pattern by
// the level change since the previous move, the release rebuilds both panes.
bool DragPressCommand(Session& session);
bool DragMoveCommand(Session& session, double deltaDb);
void DragReleaseCommand(Session& session);
bool UndoCommand(Session& session);
bool RedoCommand(Session& session);
