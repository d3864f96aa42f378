// The analysis setup dialogs, the envelope folder and the indicator list dialogs.
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>

#include "analysis/SettingsKeys.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "gui/Dialogs.h"
#include "gui/FormDialog.h"
#include "results/IndicatorNaming.h"

namespace {
QString Key(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<int>(key.size()));
}

QStringList SprTypeNames() {
    QStringList names;
    for (std::string_view name : kSprTypeNames) names << Key(name);
    return names;
}
} // namespace

bool RunHSetupDialog(QWidget* parent, Session& session) {
    HSetupForm form = OpenHSetupForm(session.Doc());
    FormDialog dialog(parent, "Horizontal Parameter Setup", "IDD_DIALOG_H_SETUP");
    auto* reference = dialog.AddGroup("Reference");
    dialog.AddRadioPair(reference, "Max Level", "the Level of Nominal Direction", Key(kRefLevelKeys.first),
                        form.maxLevelPower);
    dialog.AddRadioPair(reference, "the Direction of Max Level", "Nominal Driection",
                        Key(kRefAngleKeys.first), form.maxLevelAngle);
    auto* round = dialog.AddGroup("Roundness");
    dialog.AddRadioPair(round, "Max(Max - Avg，| Min - Avg |)", "(Max - Min)/2", Key(kRoundKeys.first),
                        form.roundMax);
    auto* thp = dialog.AddGroup("THP");
    dialog.AddRadioPair(thp, "Sector ±", "Sector", Key(kThpModeKeys.first), form.thpByAngle);
    dialog.AddEdit(thp, "X°", Key(kThpXdegKey), form.thpXdeg);
    dialog.AddEdit(thp, "XdB (list)", Key(kThpXdbKey), form.thpXdb);
    auto* spr = dialog.AddGroup("SPR", 1);
    dialog.AddRadioPair(spr, "Sector ±", "Sector", Key(kSprModeKeys.first), form.sprByAngle);
    dialog.AddEdit(spr, "X°", Key(kSprXdegKey), form.sprXdeg);
    dialog.AddEdit(spr, "XdB", Key(kSprXdbKey), form.sprXdb);
    dialog.AddCombo(spr, "Ratio", SprTypeNames(), Key(kSprTypeKey), form.sprType);
    auto* other = dialog.AddGroup("Indicators", 1);
    dialog.AddEdit(other, "HBW XdB", Key(kHbwXdbKey), form.hbwXdb);
    dialog.AddEdit(other, "+X° Level", Key(kPxLevelKey), form.pxLevel);
    dialog.AddEdit(other, "-X° Level", Key(kNxLevelKey), form.nxLevel);
    dialog.AddEdit(other, "FBR X°", Key(kFbrXdegKey), form.fbrXdeg);
    dialog.AddEdit(other, "FBR ±T°", Key(kFbrTdegKey), form.fbrTdeg);
    dialog.AddEdit(other, "Lean XdB", Key(kLeanXdbKey), form.leanXdb);
    dialog.AddEdit(other, "XPD X°", Key(kXpdXdegKey), form.xpdXdeg);
    dialog.AddEdit(other, "XPD XdB", Key(kXpdXdbKey), form.xpdXdb);
    dialog.SetDefaults([&] { form = HSetupDefaults(session); });
    dialog.SetAccept([&] { return HSetupOk(session, form) == HSetupStep::Ok; });
    return dialog.exec() == QDialog::Accepted;
}

bool RunVSetupDialog(QWidget* parent, Session& session) {
    VSetupForm form = OpenVSetupForm(session.Doc());
    FormDialog dialog(parent, "Vertical Parameters Setup", "IDD_DIALOG_V_SETUP");
    auto* widths = dialog.AddGroup("Indicators");
    dialog.AddEdit(widths, "VBW XdB", Key(kVbwXdbKey), form.vbwXdb);
    dialog.AddEdit(widths, "V-XPD XdB", Key(kVxpdXdbKey), form.vxpdXdb);
    auto* envelope = dialog.AddGroup("FSU Envelope");
    dialog.AddCheck(envelope, "Enabled FSU Envelope Algorithm", Key(kEnvCalKey), form.envelopeEnabled);
    dialog.AddEdit(envelope, "FSU Envelope", Key(kFsuEnvKey), form.fsuEnv);
    dialog.AddEdit(envelope, "FSD Envelope", Key(kFsdEnvKey), form.fsdEnv);
    dialog.AddEdit(envelope, "Envelope Range", Key(kEnvRangeKey), form.envRange);
    auto* sectors = dialog.AddGroup("Side Lobe Sectors", 1);
    // The radio pair stands for Manual; a store that checks neither shows neither.
    bool manual = form.sectorChoice == SectorChoice::Manual;
    dialog.AddRadioPair(sectors, "Manual", "Automatic", Key(kManualKey), manual);
    for (size_t row = 0; row < kSectorKeys.size(); ++row) {
        dialog.AddEdit(sectors, QString("%1 start").arg(row + 1), Key(kSectorKeys[row].first),
                       form.sectors[row].first);
        dialog.AddEdit(sectors, QString("%1 end").arg(row + 1), Key(kSectorKeys[row].second),
                       form.sectors[row].second);
    }
    FormDialog* d = &dialog;
    dialog.SetOnChange([d] {
        const bool enabled = d->findChild<QCheckBox*>(Key(kEnvCalKey))->isChecked();
        for (std::string_view key : {kFsuEnvKey, kFsdEnvKey, kEnvRangeKey})
            d->findChild<QLineEdit*>(Key(key))->setEnabled(enabled);
        const bool manualOn = d->findChild<QAbstractButton*>(Key(kManualKey))->isChecked();
        for (const auto& [start, end] : kSectorKeys) {
            d->findChild<QLineEdit*>(Key(start))->setEnabled(manualOn);
            d->findChild<QLineEdit*>(Key(end))->setEnabled(manualOn);
        }
    });
    dialog.SetDefaults([&] {
        const SectorChoice kept = form.sectorChoice;
        form = VSetupDefaults(session);
        form.sectorChoice = kept;
    });
    dialog.SetAccept([&] {
        const bool manualChecked = d->findChild<QAbstractButton*>(Key(kManualKey))->isChecked();
        const bool autoChecked = d->findChild<QAbstractButton*>(Key(kManualKey) + "_2")->isChecked();
        form.sectorChoice = manualChecked ? SectorChoice::Manual
                            : autoChecked ? SectorChoice::Automatic
                                          : SectorChoice::None;
        return VSetupOk(session, form) == VSetupStep::Ok;
    });
    return dialog.exec() == QDialog::Accepted;
}

bool RunRadiationDialog(QWidget* parent, Session& session) {
    RadiationForm form = OpenRadiationForm(session.Doc());
    FormDialog dialog(parent, "Radiation Parameter Setup", "IDD_DIALOG_RADIATION_SETUP");
    auto* group = dialog.AddGroup("Gain Calculation");
    dialog.AddRadioPair(group, "Vertical Pattern", "Horizontal Pattern", Key(kGainCalcVKey),
                        form.verticalPattern);
    dialog.SetAccept([&] {
        RadiationOk(session, form);
        return true;
    });
    return dialog.exec() == QDialog::Accepted;
}

bool RunEnvelopeDialog(QWidget* parent, Session& session) {
    std::string folder = session.Doc().ReadConfig("IDD_DIALOG_OPEN_CONFIG", "IDC_EDIT_OPEN_CONFIG");
    FormDialog dialog(parent, "Open the envelope and gain configuration", "IDD_DIALOG_OPEN_CONFIG");
    auto* group = dialog.AddGroup("Select Path");
    dialog.AddPathEdit(group, "IDC_EDIT_OPEN_CONFIG", folder,
                       [parent] { return QFileDialog::getExistingDirectory(parent, "选择数据导入目录："); });
    dialog.SetAccept([&] { return EnvelopeFolderOk(session, folder); });
    return dialog.exec() == QDialog::Accepted;
}

bool RunIndicatorListDialog(QWidget* parent, Session& session, bool vertical) {
    const FlagSection section = vertical ? FlagSection::Vertical : FlagSection::Horizontal;
    FormDialog dialog(parent, vertical ? "Vertical Parameter List" : "Horizontal Parameter List",
                      vertical ? "IDD_DIALOG_SET_V" : "IDD_DIALOG_SET_H");
    auto* main = dialog.AddGroup("The Main Polarization");
    auto* cross = dialog.AddGroup("Cross Polarization", 1);
    std::vector<std::pair<const SelectionFlagInfo*, bool>> boxes;
    for (const SelectionFlagInfo& flag : SelectionFlags())
        if (flag.section == section && !flag.listLabel.empty())
            boxes.emplace_back(&flag, session.Doc().selection.Value(flag) != 0);
    for (auto& [flag, on] : boxes)
        dialog.AddCheck(flag->crossPolar ? cross : main, Key(flag->listLabel), Key(flag->iniKey), on);
    dialog.SetAccept([&] {
        std::vector<std::pair<const SelectionFlagInfo*, int32_t>> values;
        for (const auto& [flag, on] : boxes) values.emplace_back(flag, on ? 1 : 0);
        SetIndicatorFlagsCommand(session, values);
        return true;
    });
    return dialog.exec() == QDialog::Accepted;
}

bool RunNamingDialog(QWidget* parent, Session& session) {
    bool chinese = UsesChineseIndicatorNames(session.Doc());
    FormDialog dialog(parent, "指标命名设置", "IDD_DIALOG_NAME");
    auto* group = dialog.AddGroup("");
    dialog.AddRadioPair(group, "使用中文名称", "使用英文名称", "IDC_RADIO_CHINESE", chinese);
    dialog.SetAccept([&] {
        NamingOk(session, chinese);
        return true;
    });
    return dialog.exec() == QDialog::Accepted;
}
