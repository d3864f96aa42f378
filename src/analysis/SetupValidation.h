#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/SettingsKeys.h"

class CQuadrelDoc;

// The validation captions of the setup dialogs.
inline constexpr const char* kErrorCaption = "ERROR";
inline constexpr const char* kLowerErrorCaption = "Error";

// True when the whole text matches "((\-|\+)*\d+)": a run of "+"/"-" signs (possibly empty), then
// one or more decimal digits, and nothing else. "12.5", "abc", " 5" and "" fail.
bool IsSignedIntegerText(std::string_view text);

// The accepted values of one setup edit. The value is the text's decimal conversion, so a text
// that is not a number counts as 0.
struct NumberRule {
    double lo;
    bool loIncluded;
    double hi;
    bool hiIncluded;
    bool integerText = false; // the whole text must pass IsSignedIntegerText
};

inline constexpr NumberRule kXdbRule{0, false, 20, true};              // 0 < v <= 20
inline constexpr NumberRule kPositiveDegreesRule{0, false, 180, true}; // 0 < v <= 180
inline constexpr NumberRule kDegreesRule{0, true, 180, true};          // 0 <= v <= 180
inline constexpr NumberRule kOpenDegreesRule{0, false, 180, false};    // 0 < v < 180

// Checks `text` against `rule`; `value` receives the converted number either way.
bool PassesRule(const NumberRule& rule, std::string_view text, double& value);

// One edit of the OK sequence: when the text fails the rule, shows `message` with "ERROR" and
// returns false; otherwise stores the text under `key`. `value` receives the converted number.
bool TakeEdit(CQuadrelDoc& doc, std::string_view section, std::string_view key, const std::string& text,
              const NumberRule& rule, const char* message, double& value);

// The check state of a radio button or check box as the dialog shows it on opening.
bool StoredChecked(const CQuadrelDoc& doc, std::string_view section, std::string_view key);

// Stores both keys of a radio pair and returns the mode they stand for (0: first button checked).
int32_t StoreRadioPair(CQuadrelDoc& doc, std::string_view section, RadioPairKeys keys, bool firstChecked);

// "TRUE" or "FALSE".
std::string_view BoolText(bool on);
