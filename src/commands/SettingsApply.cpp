#include "commands/SettingsApply.h"

#include "commands/Analysis.h"
#include "analysis/AnalysisSettingsLoad.h"
#include "analysis/DoneFlags.h"
#include "commands/ConfigWrites.h"
#include "document/QuadrelDoc.h"

namespace {
// What an OK computed is stored and taken into use, then its refusal is shown; the entries before a
// refusal stay, as the dialog always kept them.
template <class Step, class Para, class Form>
Step ApplySetupOk(CQuadrelDoc& doc, const SetupChange<Step, Para, Form>& change, Para& inUse,
                  std::initializer_list<DoneFlag> staleGroups) {
    ApplyConfigWrites(doc, change.writes);
    inUse = change.para;
    if (!change.errorMessage.empty()) doc.GetNotifier().Notify(change.errorMessage, change.errorCaption);
    if (change.step != Step::Ok) return change.step;
    // Results are cached behind done-flags; without clearing them the recompute keeps the old ones.
    ClearDoneFlags(doc.table, staleGroups);
    RecomputeAll(doc);
    return Step::Ok;
}
} // namespace

HSetupStep AcceptHSetup(CQuadrelDoc& doc, const HSetupForm& form) {
    return ApplySetupOk(doc, ComputeHSetupOk(doc, form), doc.Hpara, {kDoneHCo, kDoneHCr});
}

VSetupStep AcceptVSetup(CQuadrelDoc& doc, const VSetupForm& form) {
    return ApplySetupOk(doc, ComputeVSetupOk(doc, form), doc.Vpara, {kDoneVCo, kDoneVCr});
}

void AcceptRadiationSetup(CQuadrelDoc& doc, const RadiationForm& form) {
    const RadiationChange change = ComputeRadiationOk(form);
    ApplyConfigWrites(doc, change.writes);
    doc.Vpara.GainCalc_v = change.gainCalcV;
    // The gain is computed with the preparation group: clearing its flag has it computed again.
    ClearDoneFlags(doc.table, {kDonePrep});
    RecomputeAll(doc);
}

HSetupForm ApplyHSetupDefaults(CQuadrelDoc& doc) {
    HSetupChange change = ComputeHSetupDefaults();
    doc.Hpara = change.para;
    ApplyConfigWrites(doc, change.writes);
    return std::move(change.form);
}

VSetupForm ApplyVSetupDefaults(CQuadrelDoc& doc) {
    VSetupChange change = ComputeVSetupDefaults(doc);
    doc.Vpara = change.para;
    ApplyConfigWrites(doc, change.writes);
    return std::move(change.form);
}

void LoadAnalysisSettings(CQuadrelDoc& doc) {
    AnalysisSettings settings = ReadAnalysisSettings(doc);
    doc.Hpara = std::move(settings.hpara);
    doc.Vpara = std::move(settings.vpara);
}
