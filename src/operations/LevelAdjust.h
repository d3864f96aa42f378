#pragma once
#include <string>
#include <string_view>

#include "document/OperationSettings.h"

class CQuadrelDoc;

inline constexpr std::string_view kLevelSection = "IDD_DIALOG_UPDOWM";
inline constexpr std::string_view kLevelWholeKey = "IDC_RADIO_WHOLE";
inline constexpr std::string_view kLevelPartKey = "IDC_RADIO_PART";
inline constexpr std::string_view kLevelFromKey = "IDC_EDIT_ANGLE_LEFT";
inline constexpr std::string_view kLevelToKey = "IDC_EDIT_ANGLE_RIGHT";

// The entries of the level-adjustment dialog ("Level Adjustment").
struct LevelForm {
    bool overall = true; // "Overall" (else "From" ... "to" ...)
    std::string fromText;
    std::string toText;
    bool byValue = true; // "Adjusted Value" (else "Adjust to")
    std::string valueText;
    std::string targetText;
};

// What the dialog shows when it opens: the range choice and angles from the store, the values
// as the document's dialog last returned them.
LevelForm OpenLevelForm(const CQuadrelDoc& doc);

// OK: stores the range choice and angle texts and makes the entries the document's settings.
LevelSettings AcceptLevelForm(CQuadrelDoc& doc, const LevelForm& form);

// Raises or lowers the levels of every selected cut, over the whole cut or strictly inside the
// angle range, by the value or so that the followed co-polar cut's reference level reaches the
// target. The changed cuts are analysed again and both result panes rebuild (also when nothing
// is selected).
void AdjustLevels(CQuadrelDoc& doc, const LevelSettings& settings);
