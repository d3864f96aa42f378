#include "document/AnalysisSettings.h"

#include <algorithm>
#include <cmath>

#include "analysis/AnalysisSettingsLoad.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

int32_t DecodeRadioPair(const CQuadrelDoc& doc, std::string_view section, RadioPairKeys keys) {
    const bool firstOn = doc.ReadConfig(section, keys.first) == kTrueText;
    const bool secondOff = doc.ReadConfig(section, keys.second) == kFalseText;
    return firstOn && secondOff ? 0 : 1;
}

namespace {
// No setting means anything beyond a million degrees or dB; the bound keeps a hand-edited store
// from overflowing the arithmetic (negating INT_MIN, casting 1e300 to float).
constexpr double kSettingBound = 1e6;

float BoundedSetting(double value) {
    if (!std::isfinite(value)) return 0.0f;
    return static_cast<float>(std::clamp(value, -kSettingBound, kSettingBound));
}
} // namespace

std::vector<float> ParseThpList(std::string_view text) {
    std::vector<float> values;
    for (const std::string& piece : SplitAll(text, ','))
        values.push_back(BoundedSetting(ParseLeadingDouble(piece)));
    return values;
}

namespace {

float ReadFloat(const CQuadrelDoc& doc, std::string_view section, std::string_view key) {
    return BoundedSetting(ParseLeadingDouble(doc.ReadConfig(section, key)));
}

int32_t ReadInt(const CQuadrelDoc& doc, std::string_view section, std::string_view key) {
    const auto bound = static_cast<int32_t>(kSettingBound);
    return std::clamp(ParseLeadingInt(doc.ReadConfig(section, key)), -bound, bound);
}

void LoadHorizontal(const CQuadrelDoc& doc, HPara& h) {
    const std::string_view s = kHSetupSection;
    h.RefLevel_mode = DecodeRadioPair(doc, s, kRefLevelKeys);
    h.RefAngle_mode = DecodeRadioPair(doc, s, kRefAngleKeys);
    h.HBW_xdb = ReadFloat(doc, s, kHbwXdbKey);
    h.PX_level = ReadInt(doc, s, kPxLevelKey);
    h.NX_level = ReadInt(doc, s, kNxLevelKey);
    h.FBR_xdeg = ReadInt(doc, s, kFbrXdegKey);
    h.FBR_tdeg = ReadInt(doc, s, kFbrTdegKey);
    h.Lean_xdb = ReadFloat(doc, s, kLeanXdbKey);
    h.THP_mode = DecodeRadioPair(doc, s, kThpModeKeys);
    h.THP_xdeg = ReadFloat(doc, s, kThpXdegKey);
    h.THP_xdb = ParseThpList(doc.ReadConfig(s, kThpXdbKey));
    h.SPR_mode = DecodeRadioPair(doc, s, kSprModeKeys);
    h.SPR_xdeg = ReadFloat(doc, s, kSprXdegKey);
    h.SPR_xdb = ReadFloat(doc, s, kSprXdbKey);
    h.SPR_type = ReadInt(doc, s, kSprTypeKey);
    h.Round_mode = DecodeRadioPair(doc, s, kRoundKeys);
    // The dialog accepts decimals here, so they are read back as decimals (a saved 20.5 stays
    // 20.5 after a restart).
    h.XPD_xdeg = ReadFloat(doc, s, kXpdXdegKey);
    h.XPD_xdb = ReadFloat(doc, s, kXpdXdbKey);
}

void LoadVertical(const CQuadrelDoc& doc, VPara& v) {
    const std::string_view s = kVSetupSection;
    v.VBW_xdb = ReadFloat(doc, s, kVbwXdbKey);
    v.VXPD_xdb = ReadFloat(doc, s, kVxpdXdbKey);
    v.SS_manual = doc.ReadConfig(s, kManualKey);
    v.SS_auto = doc.ReadConfig(s, kAutoKey);
    // Automatic sectors, or a store that never saw the table: the table in memory stays.
    if (v.SS_auto == kFalseText && v.SS_manual == kTrueText) {
        v.SS_sectors.clear();
        for (const auto& [startKey, endKey] : kSectorKeys)
            v.SS_sectors.emplace_back(doc.ReadConfig(s, startKey), doc.ReadConfig(s, endKey));
    }
    const std::string envelopeCheck = doc.ReadConfig(s, kEnvCalKey);
    if (envelopeCheck == kTrueText) {
        v.FSU_env = ReadFloat(doc, s, kFsuEnvKey);
        v.FSD_env = ReadFloat(doc, s, kFsdEnvKey);
        v.Env_range = ReadFloat(doc, s, kEnvRangeKey);
    }
    // Only an explicit "FALSE" switches the envelope algorithm off.
    v.FSU_envcal = envelopeCheck == kFalseText ? 0 : 1;
}

} // namespace

AnalysisSettings ReadAnalysisSettings(const CQuadrelDoc& doc) {
    AnalysisSettings settings{doc.Hpara, doc.Vpara};
    settings.vpara.GainCalc_v = doc.ReadConfig(kVSetupSection, kGainCalcVKey) == kTrueText ? 1 : 0;
    LoadHorizontal(doc, settings.hpara);
    LoadVertical(doc, settings.vpara);
    return settings;
}
