#include "analysis/HorizontalSetup.h"

#include "analysis/AnalysisDriver.h"
#include "analysis/AnalysisSettingsLoad.h"
#include "analysis/DoneFlags.h"
#include "analysis/SettingsKeys.h"
#include "analysis/SetupValidation.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

namespace {

constexpr NumberRule kFbrOffsetRule{-180, true, 180, true, true};

bool ValidThpList(std::string_view text) {
    for (const std::string& piece : SplitAll(text, ',')) {
        double value = 0;
        if (piece.empty() || !PassesRule(kXdbRule, piece, value)) return false;
    }
    return true;
}

} // namespace

HSetupForm OpenHSetupForm(const CQuadrelDoc& doc) {
    const std::string_view s = kHSetupSection;
    auto text = [&](std::string_view key) { return doc.ReadConfig(s, key); };
    HSetupForm form;
    form.maxLevelPower = StoredChecked(doc, s, kRefLevelKeys.first);
    form.maxLevelAngle = StoredChecked(doc, s, kRefAngleKeys.first);
    form.roundMax = StoredChecked(doc, s, kRoundKeys.first);
    form.thpByAngle = StoredChecked(doc, s, kThpModeKeys.first);
    form.thpXdeg = text(kThpXdegKey);
    form.thpXdb = text(kThpXdbKey);
    form.sprByAngle = StoredChecked(doc, s, kSprModeKeys.first);
    form.sprXdeg = text(kSprXdegKey);
    form.sprXdb = text(kSprXdbKey);
    const int32_t index = ParseLeadingInt(text(kSprTypeKey));
    form.sprType = index >= 0 && index < static_cast<int32_t>(kSprTypeNames.size()) ? index : -1;
    form.hbwXdb = text(kHbwXdbKey);
    form.pxLevel = text(kPxLevelKey);
    form.nxLevel = text(kNxLevelKey);
    form.fbrXdeg = text(kFbrXdegKey);
    form.fbrTdeg = text(kFbrTdegKey);
    form.leanXdb = text(kLeanXdbKey);
    form.xpdXdeg = text(kXpdXdegKey);
    form.xpdXdb = text(kXpdXdbKey);
    return form;
}

HSetupStep AcceptHSetup(CQuadrelDoc& doc, const HSetupForm& form) {
    const std::string_view s = kHSetupSection;
    HPara& h = doc.Hpara;
    double v = 0;

    h.RefLevel_mode = StoreRadioPair(doc, s, kRefLevelKeys, form.maxLevelPower);
    h.RefAngle_mode = StoreRadioPair(doc, s, kRefAngleKeys, form.maxLevelAngle);
    h.Round_mode = StoreRadioPair(doc, s, kRoundKeys, form.roundMax);
    h.THP_mode = StoreRadioPair(doc, s, kThpModeKeys, form.thpByAngle);

    if (!TakeEdit(doc, s, kThpXdegKey, form.thpXdeg, kPositiveDegreesRule,
                  "THP input parameter is out of range 1~180,please check!", v))
        return HSetupStep::ThpXdeg;
    h.THP_xdeg = static_cast<float>(v);

    if (!ValidThpList(form.thpXdb)) {
        doc.GetNotifier().Notify("THP XdB input parameter is out of range 1~20,please check!", kErrorCaption);
        return HSetupStep::ThpXdb;
    }
    doc.WriteConfig(s, kThpXdbKey, form.thpXdb);
    h.THP_xdb = ParseThpList(form.thpXdb);

    h.SPR_mode = StoreRadioPair(doc, s, kSprModeKeys, form.sprByAngle);

    if (!TakeEdit(doc, s, kSprXdegKey, form.sprXdeg, kPositiveDegreesRule,
                  "SPR Xdeg input parameter is out of range 1~180,please check!", v))
        return HSetupStep::SprXdeg;
    h.SPR_xdeg = static_cast<float>(v);

    if (!TakeEdit(doc, s, kSprXdbKey, form.sprXdb, kXdbRule,
                  "SPR XdB input parameter is out of range 1~20,please check!", v))
        return HSetupStep::SprXdb;
    h.SPR_xdb = static_cast<float>(v);

    // The list's selection as it is (-1 with nothing selected, which the ratio reads as "u/s").
    h.SPR_type = form.sprType;
    doc.WriteConfig(s, kSprTypeKey, std::to_string(form.sprType));

    if (!TakeEdit(doc, s, kHbwXdbKey, form.hbwXdb, kXdbRule,
                  "HBW XdB input parameter is out of range 1~20,please check!", v))
        return HSetupStep::HbwXdb;
    h.HBW_xdb = static_cast<float>(v);

    if (!TakeEdit(doc, s, kPxLevelKey, form.pxLevel, kDegreesRule,
                  "+X° Level input parameter is out of range 0~180,please check!", v))
        return HSetupStep::PxLevel;
    h.PX_level = static_cast<int32_t>(v);

    if (!TakeEdit(doc, s, kNxLevelKey, form.nxLevel, kDegreesRule,
                  "-X° input parameter is out of range 0~180,please check!", v))
        return HSetupStep::NxLevel;
    h.NX_level = static_cast<int32_t>(v);

    if (!TakeEdit(doc, s, kFbrXdegKey, form.fbrXdeg, kFbrOffsetRule,
                  "FBR Xdeg input parameter is out of range -180~180,please check!", v))
        return HSetupStep::FbrXdeg;
    h.FBR_xdeg = static_cast<int32_t>(v);

    if (!TakeEdit(doc, s, kFbrTdegKey, form.fbrTdeg, kDegreesRule,
                  "FBR Xdeg input parameter is out of range 0~180,please check!", v))
        return HSetupStep::FbrTdeg;
    h.FBR_tdeg = static_cast<int32_t>(v);

    if (!TakeEdit(doc, s, kLeanXdbKey, form.leanXdb, kXdbRule,
                  "Lean input parameter is out of range 1~20,please check!", v))
        return HSetupStep::LeanXdb;
    h.Lean_xdb = static_cast<float>(v);

    if (!TakeEdit(doc, s, kXpdXdegKey, form.xpdXdeg, kDegreesRule,
                  "XPD X° input parameter is out of range 0~180,please check!", v))
        return HSetupStep::XpdXdeg;
    h.XPD_xdeg = static_cast<float>(v);

    if (!TakeEdit(doc, s, kXpdXdbKey, form.xpdXdb, kXdbRule,
                  "XPD XdB input parameter is out of range 1~20,please check!", v))
        return HSetupStep::XpdXdb;
    h.XPD_xdb = static_cast<float>(v);

    ClearDoneFlags(doc.table, {kDoneHCo, kDoneHCr});
    RecomputeAll(doc);
    return HSetupStep::Ok;
}

HSetupForm ApplyHSetupDefaults(CQuadrelDoc& doc) {
    const std::string_view s = kHSetupSection;
    doc.Hpara = HPara{};
    const HPara& h = doc.Hpara;

    HSetupForm form;
    form.maxLevelPower = h.RefLevel_mode == 0;
    form.maxLevelAngle = h.RefAngle_mode == 0;
    form.roundMax = h.Round_mode == 0;
    form.thpByAngle = h.THP_mode == 0;
    form.sprByAngle = h.SPR_mode == 0;
    form.thpXdeg = "60";
    form.thpXdb = "3";
    form.sprType = h.SPR_type;
    form.hbwXdb = "10";
    form.pxLevel = "60";
    form.nxLevel = "60";
    form.fbrXdeg = "-180";
    form.fbrTdeg = "30";
    form.leanXdb = "3";
    form.xpdXdeg = "20";
    form.xpdXdb = "3";
    form.sprXdeg = "60";
    form.sprXdb = "3";

    StoreRadioPair(doc, s, kRefLevelKeys, form.maxLevelPower);
    StoreRadioPair(doc, s, kRefAngleKeys, form.maxLevelAngle);
    StoreRadioPair(doc, s, kRoundKeys, form.roundMax);
    StoreRadioPair(doc, s, kThpModeKeys, form.thpByAngle);
    StoreRadioPair(doc, s, kSprModeKeys, form.sprByAngle);
    doc.WriteConfig(s, kThpXdegKey, form.thpXdeg);
    doc.WriteConfig(s, kThpXdbKey, form.thpXdb);
    doc.WriteConfig(s, kSprTypeKey, std::to_string(form.sprType));
    doc.WriteConfig(s, kHbwXdbKey, form.hbwXdb);
    doc.WriteConfig(s, kPxLevelKey, form.pxLevel);
    doc.WriteConfig(s, kNxLevelKey, form.nxLevel);
    doc.WriteConfig(s, kFbrXdegKey, form.fbrXdeg);
    doc.WriteConfig(s, kFbrTdegKey, form.fbrTdeg);
    doc.WriteConfig(s, kLeanXdbKey, form.leanXdb);
    doc.WriteConfig(s, kXpdXdegKey, form.xpdXdeg);
    doc.WriteConfig(s, kXpdXdbKey, form.xpdXdb);
    doc.WriteConfig(s, kSprXdegKey, form.sprXdeg);
    doc.WriteConfig(s, kSprXdbKey, form.sprXdb);
    return form;
}
