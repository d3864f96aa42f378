#pragma once
#include <optional>

#include "operations/LevelAdjust.h"
#include "operations/Rotation.h"

class CQuadrelDoc;

// The steps that put what the pattern operations computed into the document. The edit commands run
// them inside their undo records; tests run them on a bare document.

// The level dialog's OK: stores the range choice and angle texts and makes the entries the
// document's settings.
LevelSettings AcceptLevelForm(CQuadrelDoc& doc, const LevelForm& form);

// Adjusts the levels of every selected cut; the changed cuts are analysed again and both result
// panes rebuild (also when nothing is selected).
void AdjustLevels(CQuadrelDoc& doc, const LevelSettings& settings);

// One drag move of the first selected pattern; its sample-dependent results are found again. False
// when nothing is selected.
bool DragPatternBy(CQuadrelDoc& doc, double deltaDb);

// The rotation dialog's OK: accepted entries are stored and become the document's rotation settings;
// nothing when an angle is out of range.
std::optional<RotationSettings> AcceptRotationForm(CQuadrelDoc& doc, const RotationForm& form);

// Display rotation: every selected cut shows its fresh display copy; the samples and results stay.
void DisplayRotate(CQuadrelDoc& doc, const RotationSettings& settings);

// Data rotation: every selected cut takes its rotated samples, the samples before it are kept in the
// rotation history, and the cuts are analysed again.
void DataRotate(CQuadrelDoc& doc, const RotationSettings& settings);
