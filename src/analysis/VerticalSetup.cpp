#include "analysis/VerticalSetup.h"

#include "analysis/SettingsKeys.h"
#include "analysis/SetupValidation.h"
#include "app/TextUtil.h"
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
VSetupStep CheckSectors(VSetupChange& change) {
    for (const auto& row : change.form.sectors) {
        if (!LegalSectorRow(row)) {
            change.errorCaption = kLowerErrorCaption;
            change.errorMessage =
                "Vertical SS parameter contains illegal characters or one of them is empty, please check!";
            return VSetupStep::SectorText;
        }
        if (!SectorRowInRange(row)) {
            change.errorCaption = kErrorCaption;
            change.errorMessage = "Vertical SS parameter is out of range -180~180，please check!";
            return VSetupStep::SectorRange;
        }
    }
    return VSetupStep::Ok;
}

void StoreSectorChoice(VSetupChange& change, bool manual) {
    AddConfigWrite(change.writes, kVSetupSection, kManualKey, BoolText(manual));
    AddConfigWrite(change.writes, kVSetupSection, kAutoKey, BoolText(!manual));
    change.para.SS_manual = BoolText(manual);
    change.para.SS_auto = BoolText(!manual);
}

void StoreSectorTable(VSetupChange& change) {
    const auto& rows = change.form.sectors;
    change.para.SS_sectors.assign(rows.begin(), rows.end());
    for (size_t i = 0; i < rows.size(); ++i) {
        AddConfigWrite(change.writes, kVSetupSection, kSectorKeys[i].first, rows[i].first);
        AddConfigWrite(change.writes, kVSetupSection, kSectorKeys[i].second, rows[i].second);
    }
}

void StoreEnvelopeCheck(VSetupChange& change, bool enabled) {
    AddConfigWrite(change.writes, kVSetupSection, kEnvCalKey, BoolText(enabled));
    change.para.FSU_envcal = enabled ? 1 : 0;
}

// The OK sequence up to the step that stops it.
VSetupStep TakeVSetup(VSetupChange& change) {
    const std::string_view s = kVSetupSection;
    const VSetupForm& form = change.form;
    VPara& v = change.para;
    double value = 0;

    if (!TakeEdit(change, s, kVbwXdbKey, form.vbwXdb, kXdbRule,
                  "VBW XdB parameter is out of range 1~20,please check!", value))
        return VSetupStep::VbwXdb;
    v.VBW_xdb = static_cast<float>(value);

    if (!TakeEdit(change, s, kVxpdXdbKey, form.vxpdXdb, kXdbRule,
                  "XPD XdB parameter is out of range 1~20,please check!", value))
        return VSetupStep::VxpdXdb;
    v.VXPD_xdb = static_cast<float>(value);

    // The check box also switches the algorithm itself, not only what the next start reads.
    StoreEnvelopeCheck(change, form.envelopeEnabled);
    if (form.envelopeEnabled) {
        if (!TakeEdit(change, s, kFsuEnvKey, form.fsuEnv, kFsuRule,
                      "FSU envelope input parameter is out of range 0~-180,please check!", value))
            return VSetupStep::FsuEnv;
        v.FSU_env = static_cast<float>(value);
        if (!TakeEdit(change, s, kFsdEnvKey, form.fsdEnv, kOpenDegreesRule,
                      "FSD envelope input parameter is out of range 0~180,please check!", value))
            return VSetupStep::FsdEnv;
        v.FSD_env = static_cast<float>(value);
        if (!TakeEdit(change, s, kEnvRangeKey, form.envRange, kOpenDegreesRule,
                      "Envelope input parameter is out of range 0~180,please check!", value))
            return VSetupStep::EnvRange;
        v.Env_range = static_cast<float>(value);
    }

    if (form.sectorChoice == SectorChoice::Manual) {
        const VSetupStep sectors = CheckSectors(change);
        if (sectors != VSetupStep::Ok) return sectors;
        StoreSectorChoice(change, true);
        StoreSectorTable(change);
    } else if (form.sectorChoice == SectorChoice::Automatic) {
        StoreSectorChoice(change, false);
    }
    return VSetupStep::Ok;
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

VSetupChange ComputeVSetupOk(const CQuadrelDoc& doc, const VSetupForm& form) {
    VSetupChange change;
    change.para = doc.Vpara;
    change.form = form;
    change.step = TakeVSetup(change);
    return change;
}

VSetupChange ComputeVSetupDefaults(const CQuadrelDoc& doc) {
    const std::string_view s = kVSetupSection;
    const VPara defaults;
    VSetupChange change;
    change.para = doc.Vpara;
    VPara& v = change.para;
    v.VBW_xdb = defaults.VBW_xdb;
    v.VXPD_xdb = defaults.VXPD_xdb;
    v.FSU_env = defaults.FSU_env;
    v.FSD_env = defaults.FSD_env;
    v.Env_range = defaults.Env_range;

    VSetupForm& form = change.form;
    form = OpenVSetupForm(doc);
    form.vbwXdb = "10";
    form.vxpdXdb = "3";
    form.fsuEnv = "-60";
    form.fsdEnv = "60";
    form.envRange = "5";
    form.envelopeEnabled = true;
    std::copy(defaults.SS_sectors.begin(), defaults.SS_sectors.end(), form.sectors.begin());

    AddConfigWrite(change.writes, s, kVbwXdbKey, form.vbwXdb);
    AddConfigWrite(change.writes, s, kVxpdXdbKey, form.vxpdXdb);
    AddConfigWrite(change.writes, s, kFsuEnvKey, form.fsuEnv);
    AddConfigWrite(change.writes, s, kFsdEnvKey, form.fsdEnv);
    AddConfigWrite(change.writes, s, kEnvRangeKey, form.envRange);
    StoreEnvelopeCheck(change, true);
    StoreSectorTable(change);
    return change;
}

RadiationForm OpenRadiationForm(const CQuadrelDoc& doc) {
    return RadiationForm{StoredChecked(doc, kVSetupSection, kGainCalcVKey)};
}

RadiationChange ComputeRadiationOk(const RadiationForm& form) {
    RadiationChange change;
    AddConfigWrite(change.writes, kVSetupSection, kGainCalcVKey, BoolText(form.verticalPattern));
    AddConfigWrite(change.writes, kVSetupSection, kGainCalcHKey, BoolText(!form.verticalPattern));
    change.gainCalcV = form.verticalPattern ? 1 : 0;
    return change;
}
