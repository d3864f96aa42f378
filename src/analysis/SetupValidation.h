#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/SettingsKeys.h"
#include "app/ConfigStore.h"

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

// What a setup dialog's button stores: the configuration writes in dialog order and, when an entry
// stopped the OK sequence, the message it shows (empty when none did). The entries taken before
// the one that stopped it stay stored.
struct SetupOutcome {
    ConfigWrites writes;
    std::string errorCaption;
    std::string errorMessage;
};

// What a button of a setup dialog changes: the outcome above, the step that ended the sequence,
// the settings to use and the entries the dialog shows afterwards.
template <class Step, class Para, class Form> struct SetupChange : SetupOutcome {
    Step step = Step::Ok;
    Para para;
    Form form;
};

// One edit of the OK sequence: when the text fails the rule, sets `message` with "ERROR" as the
// outcome's error and returns false; otherwise adds storing the text under `key`. `value` receives
// the converted number.
bool TakeEdit(SetupOutcome& outcome, std::string_view section, std::string_view key, const std::string& text,
              const NumberRule& rule, const char* message, double& value);

// The check state of a radio button or check box as the dialog shows it on opening.
bool StoredChecked(const CQuadrelDoc& doc, std::string_view section, std::string_view key);

// Adds storing both keys of a radio pair and returns the mode they stand for (0: first button
// checked).
int32_t StoreRadioPair(ConfigWrites& writes, std::string_view section, RadioPairKeys keys, bool firstChecked);

// "TRUE" or "FALSE".
std::string_view BoolText(bool on);
