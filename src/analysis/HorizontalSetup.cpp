#include "analysis/HorizontalSetup.h"

#include <span>
#include <type_traits>

#include "analysis/AnalysisSettingsLoad.h"
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

// One numeric edit of the OK sequence: where its text is stored, the rule and message it is
// checked with, the step it stops at, and the setting its value goes to.
struct HSetupEdit {
    std::string_view key;
    std::string HSetupForm::*text;
    NumberRule rule;
    const char* message;
    HSetupStep step;
    void (*assign)(HPara&, double);
};

template <auto Member> void Assign(HPara& h, double value) {
    h.*Member = static_cast<std::remove_reference_t<decltype(h.*Member)>>(value);
}

const HSetupEdit kThpEdits[] = {
    {kThpXdegKey, &HSetupForm::thpXdeg, kPositiveDegreesRule,
     "THP input parameter is out of range 1~180,please check!", HSetupStep::ThpXdeg,
     Assign<&HPara::THP_xdeg>},
};

const HSetupEdit kSprEdits[] = {
    {kSprXdegKey, &HSetupForm::sprXdeg, kPositiveDegreesRule,
     "SPR Xdeg input parameter is out of range 1~180,please check!", HSetupStep::SprXdeg,
     Assign<&HPara::SPR_xdeg>},
    {kSprXdbKey, &HSetupForm::sprXdb, kXdbRule, "SPR XdB input parameter is out of range 1~20,please check!",
     HSetupStep::SprXdb, Assign<&HPara::SPR_xdb>},
};

const HSetupEdit kShapeEdits[] = {
    {kHbwXdbKey, &HSetupForm::hbwXdb, kXdbRule, "HBW XdB input parameter is out of range 1~20,please check!",
     HSetupStep::HbwXdb, Assign<&HPara::HBW_xdb>},
    {kPxLevelKey, &HSetupForm::pxLevel, kDegreesRule,
     "+X° Level input parameter is out of range 0~180,please check!", HSetupStep::PxLevel,
     Assign<&HPara::PX_level>},
    {kNxLevelKey, &HSetupForm::nxLevel, kDegreesRule,
     "-X° input parameter is out of range 0~180,please check!", HSetupStep::NxLevel,
     Assign<&HPara::NX_level>},
    {kFbrXdegKey, &HSetupForm::fbrXdeg, kFbrOffsetRule,
     "FBR Xdeg input parameter is out of range -180~180,please check!", HSetupStep::FbrXdeg,
     Assign<&HPara::FBR_xdeg>},
    {kFbrTdegKey, &HSetupForm::fbrTdeg, kDegreesRule,
     "FBR Xdeg input parameter is out of range 0~180,please check!", HSetupStep::FbrTdeg,
     Assign<&HPara::FBR_tdeg>},
    {kLeanXdbKey, &HSetupForm::leanXdb, kXdbRule, "Lean input parameter is out of range 1~20,please check!",
     HSetupStep::LeanXdb, Assign<&HPara::Lean_xdb>},
    {kXpdXdegKey, &HSetupForm::xpdXdeg, kDegreesRule,
     "XPD X° input parameter is out of range 0~180,please check!", HSetupStep::XpdXdeg,
     Assign<&HPara::XPD_xdeg>},
    {kXpdXdbKey, &HSetupForm::xpdXdb, kXdbRule, "XPD XdB input parameter is out of range 1~20,please check!",
     HSetupStep::XpdXdb, Assign<&HPara::XPD_xdb>},
};

// Takes `edits` in order, each stored and applied before the next is checked; the first that
// fails ends the sequence.
HSetupStep TakeEdits(HSetupChange& change, std::span<const HSetupEdit> edits) {
    for (const HSetupEdit& edit : edits) {
        double value = 0;
        if (!TakeEdit(change, kHSetupSection, edit.key, change.form.*edit.text, edit.rule, edit.message,
                      value))
            return edit.step;
        edit.assign(change.para, value);
    }
    return HSetupStep::Ok;
}

// The OK sequence up to the step that stops it.
HSetupStep TakeHSetup(HSetupChange& change) {
    const std::string_view s = kHSetupSection;
    const HSetupForm& form = change.form;
    HPara& h = change.para;
    ConfigWrites& writes = change.writes;

    h.RefLevel_mode = StoreRadioPair(writes, s, kRefLevelKeys, form.maxLevelPower);
    h.RefAngle_mode = StoreRadioPair(writes, s, kRefAngleKeys, form.maxLevelAngle);
    h.Round_mode = StoreRadioPair(writes, s, kRoundKeys, form.roundMax);
    h.THP_mode = StoreRadioPair(writes, s, kThpModeKeys, form.thpByAngle);
    if (const HSetupStep step = TakeEdits(change, kThpEdits); step != HSetupStep::Ok) return step;

    if (!ValidThpList(form.thpXdb)) {
        change.errorCaption = kErrorCaption;
        change.errorMessage = "THP XdB input parameter is out of range 1~20,please check!";
        return HSetupStep::ThpXdb;
    }
    AddConfigWrite(writes, s, kThpXdbKey, form.thpXdb);
    h.THP_xdb = ParseThpList(form.thpXdb);

    h.SPR_mode = StoreRadioPair(writes, s, kSprModeKeys, form.sprByAngle);
    if (const HSetupStep step = TakeEdits(change, kSprEdits); step != HSetupStep::Ok) return step;

    // The list's selection as it is (-1 with nothing selected, which the ratio reads as "u/s").
    h.SPR_type = form.sprType;
    AddConfigWrite(writes, s, kSprTypeKey, std::to_string(form.sprType));
    return TakeEdits(change, kShapeEdits);
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

HSetupChange ComputeHSetupOk(const CQuadrelDoc& doc, const HSetupForm& form) {
    HSetupChange change;
    change.para = doc.Hpara;
    change.form = form;
    change.step = TakeHSetup(change);
    return change;
}

HSetupChange ComputeHSetupDefaults() {
    const std::string_view s = kHSetupSection;
    HSetupChange change;
    const HPara& h = change.para;
    HSetupForm& form = change.form;
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

    ConfigWrites& writes = change.writes;
    StoreRadioPair(writes, s, kRefLevelKeys, form.maxLevelPower);
    StoreRadioPair(writes, s, kRefAngleKeys, form.maxLevelAngle);
    StoreRadioPair(writes, s, kRoundKeys, form.roundMax);
    StoreRadioPair(writes, s, kThpModeKeys, form.thpByAngle);
    StoreRadioPair(writes, s, kSprModeKeys, form.sprByAngle);
    AddConfigWrite(writes, s, kThpXdegKey, form.thpXdeg);
    AddConfigWrite(writes, s, kThpXdbKey, form.thpXdb);
    AddConfigWrite(writes, s, kSprTypeKey, std::to_string(form.sprType));
    AddConfigWrite(writes, s, kHbwXdbKey, form.hbwXdb);
    AddConfigWrite(writes, s, kPxLevelKey, form.pxLevel);
    AddConfigWrite(writes, s, kNxLevelKey, form.nxLevel);
    AddConfigWrite(writes, s, kFbrXdegKey, form.fbrXdeg);
    AddConfigWrite(writes, s, kFbrTdegKey, form.fbrTdeg);
    AddConfigWrite(writes, s, kLeanXdbKey, form.leanXdb);
    AddConfigWrite(writes, s, kXpdXdegKey, form.xpdXdeg);
    AddConfigWrite(writes, s, kXpdXdbKey, form.xpdXdb);
    AddConfigWrite(writes, s, kSprXdegKey, form.sprXdeg);
    AddConfigWrite(writes, s, kSprXdbKey, form.sprXdb);
    return change;
}
