// The rotation and level-adjustment dialogs.
#include <QFormLayout>
#include <QHeaderView>
#include <QTreeWidget>

#include "commands/EditCommands.h"
#include "commands/StartUp.h"
#include "gui/Dialogs.h"
#include "gui/FormDialog.h"
#include "operations/CutReference.h"

bool RunRotationDialog(QWidget* parent, Session& session, bool inData) {
    RotationForm form = OpenRotationForm(session.Doc());
    FormDialog dialog(parent, "Pattern Rotation - Data Processing", "IDD_DIALOG_ROTATE_MODIFY");
    auto* group = dialog.AddGroup("Parameter Setting");
    int mode = form.mode;
    dialog.AddRadioChoice(group, {"to Zero", "Rotate to", "Rotate to Nominal Point", "Rotate", "Non Rotate"},
                          "IDC_RADIO_STATE", mode);
    dialog.AddEdit(group, "Rotate to", "IDC_EDIT_ROTATE_FOR", form.targetText);
    dialog.AddEdit(group, "Rotate", "IDC_EDIT_ROTATE", form.rotationText);
    dialog.SetAccept([&] {
        form.mode = mode;
        return RotationOk(session, form, inData);
    });
    return dialog.exec() == QDialog::Accepted;
}

bool RunLevelDialog(QWidget* parent, Session& session) {
    LevelForm form = OpenLevelForm(session.Doc());
    FormDialog dialog(parent, "Level Adjustment", "IDD_DIALOG_UPDOWM");
    auto* list = new QTreeWidget;
    list->setObjectName("patternList");
    list->setHeaderLabels({"File Name", "Path"});
    list->setRootIsDecorated(false);
    for (const PatternFile* file : SelectedFiles(session.Doc()))
        new QTreeWidgetItem(list,
                            {QString::fromStdString(file->fileName), QString::fromStdString(file->path)});
    auto* patterns = dialog.AddGroup("Pattern List");
    patterns->addRow(list);
    auto* range = dialog.AddGroup("Handling Range");
    dialog.AddRadioPair(range, "Overall", "From", "IDC_RADIO_WHOLE", form.overall);
    dialog.AddEdit(range, "From (°)", "IDC_EDIT_ANGLE_LEFT", form.fromText);
    dialog.AddEdit(range, "to (°)", "IDC_EDIT_ANGLE_RIGHT", form.toText);
    auto* amount = dialog.AddGroup("Level");
    dialog.AddRadioPair(amount, "Adjusted Value", "Adjust to", "IDC_RADIO_VALUE", form.byValue);
    dialog.AddEdit(amount, "Adjusted Value", "IDC_EDIT_VALUE", form.valueText);
    dialog.AddEdit(amount, "Adjust to", "IDC_EDIT_TARGET", form.targetText);
    dialog.SetAccept([&] {
        LevelOk(session, form);
        return true;
    });
    return dialog.exec() == QDialog::Accepted;
}
