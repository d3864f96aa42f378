#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "app/ConfigStore.h"
#include "document/OperationSettings.h"
#include "operations/SampleChange.h"

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

// What OK makes of the entries: the document's new settings, and the range choice and angle texts
// to store.
struct LevelFormOutcome {
    LevelSettings settings;
    ConfigWrites writes;
};
LevelFormOutcome AcceptedLevelForm(const LevelForm& form);

// The new samples of every selected cut, its levels raised or lowered over the whole cut or
// strictly inside the angle range, by the value or so that the followed co-polar cut's reference
// level reaches the target.
std::vector<SampleChange> LevelAdjustedSamples(const CQuadrelDoc& doc, const LevelSettings& settings);
