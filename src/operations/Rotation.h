#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/OperationSettings.h"

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

// Start-up: the document's rotation settings from the store.
void LoadRotationSettings(CQuadrelDoc& doc);

// What the dialog shows when it opens.
RotationForm OpenRotationForm(const CQuadrelDoc& doc);

// OK: both angles must lie in [-360, 360]; otherwise the range message is shown and nothing is
// returned (the dialog stays open). Accepted entries are stored and become the document's
// rotation settings.
std::optional<RotationSettings> AcceptRotationForm(CQuadrelDoc& doc, const RotationForm& form);

// The angle by which a cut is rotated: -r, target - r, n - r or the rotation angle, where r and n
// are the reference and nominal directions of the cut, or of its co-polar partner for a
// cross-polar cut (0 when there is none).
double RotationAmount(const CQuadrelDoc& doc, const PatternFile& file, const RotationSettings& settings);

// Display rotation: every selected cut gets a fresh display copy of its samples, shifted by its
// amount ("Non Rotate": unshifted). Copies never accumulate; the samples and results stay.
void DisplayRotate(CQuadrelDoc& doc, const RotationSettings& settings);

// Data rotation: shifts the samples of every selected cut (rotations accumulate), remembering the
// samples before it in the history, and analyses the cuts again. "Non Rotate" gives each selected
// cut back its samples from before its first data rotation.
void DataRotate(CQuadrelDoc& doc, const RotationSettings& settings);
