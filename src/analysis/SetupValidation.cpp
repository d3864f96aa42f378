#include "analysis/SetupValidation.h"

#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

bool IsSignedIntegerText(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (pos == text.size()) return false;
    for (; pos < text.size(); ++pos)
        if (text[pos] < '0' || text[pos] > '9') return false;
    return true;
}

bool PassesRule(const NumberRule& rule, std::string_view text, double& value) {
    value = ParseLeadingDouble(text);
    const bool aboveLow = rule.loIncluded ? value >= rule.lo : value > rule.lo;
    const bool belowHigh = rule.hiIncluded ? value <= rule.hi : value < rule.hi;
    return aboveLow && belowHigh && (!rule.integerText || IsSignedIntegerText(text));
}

bool TakeEdit(SetupOutcome& outcome, std::string_view section, std::string_view key, const std::string& text,
              const NumberRule& rule, const char* message, double& value) {
    if (!PassesRule(rule, text, value)) {
        outcome.errorCaption = kErrorCaption;
        outcome.errorMessage = message;
        return false;
    }
    AddConfigWrite(outcome.writes, section, key, text);
    return true;
}

bool StoredChecked(const CQuadrelDoc& doc, std::string_view section, std::string_view key) {
    return doc.ReadConfig(section, key) == kTrueText;
}

std::string_view BoolText(bool on) {
    return on ? kTrueText : kFalseText;
}

int32_t StoreRadioPair(ConfigWrites& writes, std::string_view section, RadioPairKeys keys,
                       bool firstChecked) {
    AddConfigWrite(writes, section, keys.first, BoolText(firstChecked));
    AddConfigWrite(writes, section, keys.second, BoolText(!firstChecked));
    return firstChecked ? 0 : 1;
}
