#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ConfigStore.h"
#include "document/OperationSettings.h"
#include "operations/SampleChange.h"

class CQuadrelDoc;

inline constexpr std::string_view kRotateSection = "IDD_DIALOG_ROTATE_MODIFY";
inline constexpr std::string_view kRotateTargetKey = "IDC_EDIT_ROTATE_FOR";
inline constexpr std::string_view kRotateAngleKey = "IDC_EDIT_ROTATE";
inline constexpr std::string_view kRotateModeKey = "IDC_RADIO_STATE";

// The entries of the rotation dialog ("Pattern Rotation - Data Processing").
struct RotationForm {
    int32_t mode = RotationSettings::ToZero; // the checked radio button
    std::string targetText;                  // "Rotate to"
    std::string rotationText;                // "Rotate"
};

// Start-up: the rotation settings the store holds.
RotationSettings StoredRotationSettings(const CQuadrelDoc& doc);

// What the dialog shows when it opens.
RotationForm OpenRotationForm(const CQuadrelDoc& doc);

// What OK makes of the entries: the document's new rotation settings and the entries to store.
struct RotationFormOutcome {
    RotationSettings settings;
    ConfigWrites writes;
};
// Both angles must lie in [-360, 360]; otherwise the range message is shown and nothing is
// returned (the dialog stays open).
std::optional<RotationFormOutcome> AcceptedRotationForm(const CQuadrelDoc& doc, const RotationForm& form);

// The angle by which a cut is rotated: -r, target - r, n - r or the rotation angle, where r and n
// are the reference and nominal directions of the cut, or of its co-polar partner for a
// cross-polar cut (0 when there is none).
double RotationAmount(const CQuadrelDoc& doc, const PatternFile& file, const RotationSettings& settings);

// Display rotation: the fresh display copy of every selected cut, its samples shifted by its amount
// ("Non Rotate": unshifted). Copies never accumulate.
std::vector<SampleChange> DisplayRotatedSamples(const CQuadrelDoc& doc, const RotationSettings& settings);

// Data rotation: the new samples of every selected cut, shifted from its current samples (rotations
// accumulate). "Non Rotate" gives each selected cut its samples from before its first data rotation
// that the history still holds.
std::vector<SampleChange> DataRotatedSamples(const CQuadrelDoc& doc, const RotationSettings& settings);

// How many of the history's entries the next data rotation keeps: the steps an undo took back are
// forgotten before the next one is saved.
size_t KeptHistoryEntries(const RotationHistory& history);
