#include "analysis/VerticalSetup.h"

#include "analysis/DoneFlags.h"
#include "analysis/SettingsKeys.h"
#include "analysis/SetupValidation.h"
#include "app/TextUtil.h"
#include "commands/Analysis.h"
#include "document/QuadrelDoc.h"

namespace {

constexpr NumberRule kFsuRule{-180, false, 0, true, true};
constexpr NumberRule kSectorAngleRule{-180, true, 180, true};

bool LegalSectorRow(const std::pair<std::string, std::string>& row) {
    const auto& [start, end] = row;
    if (start.empty() && end.empty()) return true; // an unused row
    return IsSignedIntegerText(start) && IsSignedIntegerText(end);
}

bool SectorRowInRange(const std::pair<std::string, std::string>& row) {
    double value = 0;
    return PassesRule(kSectorAngleRule, row.first, value) && PassesRule(kSectorAngleRule, row.second, value);
}

// Both empty passes; one empty, or text that is not a whole number, is illegal; then the range.
VSetupStep CheckSectors(CQuadrelDoc& doc, const VSetupForm& form) {
    for (const auto& row : form.sectors) {
        if (!LegalSectorRow(row)) {
            doc.GetNotifier().Notify(
                "Vertical SS parameter contains illegal characters or one of them is empty, please check!",
                kLowerErrorCaption);
            return VSetupStep::SectorText;
        }
        if (!SectorRowInRange(row)) {
            doc.GetNotifier().Notify("Vertical SS parameter is out of range -180~180，please check!",
                                     kErrorCaption);
            return VSetupStep::SectorRange;
        }
    }
    return VSetupStep::Ok;
}

void StoreSectorChoice(CQuadrelDoc& doc, bool manual) {
    doc.WriteConfig(kVSetupSection, kManualKey, BoolText(manual));
    doc.WriteConfig(kVSetupSection, kAutoKey, BoolText(!manual));
    doc.Vpara.SS_manual = BoolText(manual);
    doc.Vpara.SS_auto = BoolText(!manual);
}

void StoreSectorTable(CQuadrelDoc& doc, const std::array<std::pair<std::string, std::string>, 10>& rows) {
    doc.Vpara.SS_sectors.assign(rows.begin(), rows.end());
    for (size_t i = 0; i < rows.size(); ++i) {
        doc.WriteConfig(kVSetupSection, kSectorKeys[i].first, rows[i].first);
        doc.WriteConfig(kVSetupSection, kSectorKeys[i].second, rows[i].second);
    }
}

void StoreEnvelopeCheck(CQuadrelDoc& doc, bool enabled) {
    doc.WriteConfig(kVSetupSection, kEnvCalKey, BoolText(enabled));
    doc.Vpara.FSU_envcal = enabled ? 1 : 0;
}

} // namespace

VSetupForm OpenVSetupForm(const CQuadrelDoc& doc) {
    const std::string_view s = kVSetupSection;
    VSetupForm form;
    form.vbwXdb = doc.ReadConfig(s, kVbwXdbKey);
    form.vxpdXdb = doc.ReadConfig(s, kVxpdXdbKey);
    form.envelopeEnabled = StoredChecked(doc, s, kEnvCalKey);
    form.fsuEnv = doc.ReadConfig(s, kFsuEnvKey);
    form.fsdEnv = doc.ReadConfig(s, kFsdEnvKey);
    form.envRange = doc.ReadConfig(s, kEnvRangeKey);
    if (StoredChecked(doc, s, kManualKey))
        form.sectorChoice = SectorChoice::Manual;
    else if (StoredChecked(doc, s, kAutoKey))
        form.sectorChoice = SectorChoice::Automatic;
    for (size_t i = 0; i < form.sectors.size(); ++i)
        form.sectors[i] = {doc.ReadConfig(s, kSectorKeys[i].first), doc.ReadConfig(s, kSectorKeys[i].second)};
    return form;
}

VSetupStep AcceptVSetup(CQuadrelDoc& doc, const VSetupForm& form) {
    const std::string_view s = kVSetupSection;
    VPara& v = doc.Vpara;
    double value = 0;

    if (!TakeEdit(doc, s, kVbwXdbKey, form.vbwXdb, kXdbRule,
                  "VBW XdB parameter is out of range 1~20,please check!", value))
        return VSetupStep::VbwXdb;
    v.VBW_xdb = static_cast<float>(value);

    if (!TakeEdit(doc, s, kVxpdXdbKey, form.vxpdXdb, kXdbRule,
                  "XPD XdB parameter is out of range 1~20,please check!", value))
        return VSetupStep::VxpdXdb;
    v.VXPD_xdb = static_cast<float>(value);

    // The check box also switches the algorithm itself, not only what the next start reads.
    StoreEnvelopeCheck(doc, form.envelopeEnabled);
    if (form.envelopeEnabled) {
        if (!TakeEdit(doc, s, kFsuEnvKey, form.fsuEnv, kFsuRule,
                      "FSU envelope input parameter is out of range 0~-180,please check!", value))
            return VSetupStep::FsuEnv;
        v.FSU_env = static_cast<float>(value);
        if (!TakeEdit(doc, s, kFsdEnvKey, form.fsdEnv, kOpenDegreesRule,
                      "FSD envelope input parameter is out of range 0~180,please check!", value))
            return VSetupStep::FsdEnv;
        v.FSD_env = static_cast<float>(value);
        if (!TakeEdit(doc, s, kEnvRangeKey, form.envRange, kOpenDegreesRule,
                      "Envelope input parameter is out of range 0~180,please check!", value))
            return VSetupStep::EnvRange;
        v.Env_range = static_cast<float>(value);
    }

    if (form.sectorChoice == SectorChoice::Manual) {
        const VSetupStep sectors = CheckSectors(doc, form);
        if (sectors != VSetupStep::Ok) return sectors;
        StoreSectorChoice(doc, true);
        StoreSectorTable(doc, form.sectors);
    } else if (form.sectorChoice == SectorChoice::Automatic) {
        StoreSectorChoice(doc, false);
    }

    ClearDoneFlags(doc.table, {kDoneVCo, kDoneVCr});
    RecomputeAll(doc);
    return VSetupStep::Ok;
}

VSetupForm ApplyVSetupDefaults(CQuadrelDoc& doc) {
    const std::string_view s = kVSetupSection;
    const VPara defaults;
    VPara& v = doc.Vpara;
    v.VBW_xdb = defaults.VBW_xdb;
    v.VXPD_xdb = defaults.VXPD_xdb;
    v.FSU_env = defaults.FSU_env;
    v.FSD_env = defaults.FSD_env;
    v.Env_range = defaults.Env_range;

    VSetupForm form = OpenVSetupForm(doc);
    form.vbwXdb = "10";
    form.vxpdXdb = "3";
    form.fsuEnv = "-60";
    form.fsdEnv = "60";
    form.envRange = "5";
    form.envelopeEnabled = true;
    std::copy(defaults.SS_sectors.begin(), defaults.SS_sectors.end(), form.sectors.begin());

    doc.WriteConfig(s, kVbwXdbKey, form.vbwXdb);
    doc.WriteConfig(s, kVxpdXdbKey, form.vxpdXdb);
    doc.WriteConfig(s, kFsuEnvKey, form.fsuEnv);
    doc.WriteConfig(s, kFsdEnvKey, form.fsdEnv);
    doc.WriteConfig(s, kEnvRangeKey, form.envRange);
    StoreEnvelopeCheck(doc, true);
    StoreSectorTable(doc, form.sectors);
    return form;
}

RadiationForm OpenRadiationForm(const CQuadrelDoc& doc) {
    return RadiationForm{StoredChecked(doc, kVSetupSection, kGainCalcVKey)};
}

void AcceptRadiationSetup(CQuadrelDoc& doc, const RadiationForm& form) {
    doc.WriteConfig(kVSetupSection, kGainCalcVKey, BoolText(form.verticalPattern));
    doc.WriteConfig(kVSetupSection, kGainCalcHKey, BoolText(!form.verticalPattern));
    doc.Vpara.GainCalc_v = form.verticalPattern ? 1 : 0;
    ClearDoneFlags(doc.table, {kDonePrep});
    RecomputeAll(doc);
}
