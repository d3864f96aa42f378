// The view's dialogs: draw settings, colours, screenshot settings and folders, save as.
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <map>

#include "app/TextUtil.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "commands/ViewCommands.h"
#include "gui/Dialogs.h"
#include "gui/FormDialog.h"
#include "gui/Language.h"
#include "gui/QtBridge.h"
#include "gui/ViewScreenshot.h"
#include "plot/ColorDialogModel.h"
#include "plot/Screenshot.h"

namespace {
QString ChooseFolder(QWidget* parent) {
    const QString folder = QFileDialog::getExistingDirectory(parent, "选择数据导入目录：");
    return folder.isEmpty() || folder.endsWith('/') ? folder : folder + "/";
}

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// A colour from the picker; nothing when cancelled.
std::optional<Rgb> PickColor(QWidget* parent, Rgb start) {
    const QColor chosen = QColorDialog::getColor(ToQColor(start), parent);
    if (!chosen.isValid()) return std::nullopt;
    return Rgb{static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
               static_cast<uint8_t>(chosen.blue())};
}
} // namespace

namespace {
std::array<std::string, 6> AxisTexts(const AxisSettings& v) {
    return {std::to_string(v.levelMax),      std::to_string(v.levelMin),
            std::to_string(v.levelGridStep), std::to_string(v.levelScaleDivision),
            std::to_string(v.angleGridStep), std::to_string(v.angleScaleDivision)};
}

AxisSettings AxisValues(const std::array<std::string, 6>& t) {
    return {ParseLeadingInt(t[0]), ParseLeadingInt(t[1]), ParseLeadingInt(t[2]),
            ParseLeadingInt(t[3]), ParseLeadingInt(t[4]), ParseLeadingInt(t[5])};
}

QString SystemName(int system) {
    return system == kCartesianSystem ? Tr("Cartesian Coordinates") : Tr("Polar Coordinates");
}
} // namespace

bool RunDrawSettingDialog(QWidget* parent, Session& session) {
    // Both systems are edited in one dialog: the list chooses which one the fields show, and each
    // keeps its texts while the other is shown.
    int system = session.plot.settings.coordinateSystem;
    std::map<int, std::array<std::string, 6>> edited = {
        {kPolarSystem, AxisTexts(session.plot.settings.polar)},
        {kCartesianSystem, AxisTexts(session.plot.settings.cartesian)}};
    std::array<std::string, 6> texts = edited[system];
    int choice = system == kCartesianSystem ? 1 : 0;
    FormDialog dialog(parent, QString::fromStdString(DrawSettingTitle(system)), "IDD_DIALOG_DRAWSETUP");
    auto* which = dialog.AddGroup(Tr("Coordinate system"));
    QComboBox* systems =
        dialog.AddCombo(which, Tr("&Edit"), {SystemName(kPolarSystem), SystemName(kCartesianSystem)},
                        "coordinateSystemChoice", choice);
    auto* level = dialog.AddGroup("Level");
    std::array<QLineEdit*, 6> edits{};
    const AxisKeys& keys = KeysOf(system);
    edits[0] = dialog.AddEdit(level, "Max", keys.levelMax, texts[0]);
    edits[1] = dialog.AddEdit(level, "Min", keys.levelMin, texts[1]);
    edits[2] = dialog.AddEdit(level, "Grid step", keys.levelGridStep, texts[2]);
    edits[3] = dialog.AddEdit(level, "Scale Division", keys.levelScaleDivision, texts[3]);
    auto* angle = dialog.AddGroup("Angle", 1);
    edits[4] = dialog.AddEdit(angle, "Grid Step", keys.angleGridStep, texts[4]);
    edits[5] = dialog.AddEdit(angle, "Scale Division", keys.angleScaleDivision, texts[5]);
    QObject::connect(systems, qOverload<int>(&QComboBox::currentIndexChanged), &dialog, [&](int index) {
        dialog.SaveControls();
        edited[system] = texts;
        system = index == 1 ? kCartesianSystem : kPolarSystem;
        choice = index;
        texts = edited[system];
        const AxisKeys& k = KeysOf(system);
        const char* names[] = {k.levelMax,           k.levelMin,      k.levelGridStep,
                               k.levelScaleDivision, k.angleGridStep, k.angleScaleDivision};
        for (size_t i = 0; i < edits.size(); ++i) edits[i]->setObjectName(names[i]);
        dialog.setWindowTitle(QString::fromStdString(DrawSettingTitle(system)));
        dialog.LoadControls();
    });
    dialog.SetDefaults([&] { texts = AxisTexts(DrawSettingsDefaults(session, system)); });
    dialog.SetAccept([&] {
        edited[system] = texts;
        for (const auto& [s, t] : edited) {
            const std::string problem = AxisSettingsProblem(AxisValues(t));
            if (problem.empty()) continue;
            QMessageBox::warning(&dialog, dialog.windowTitle(),
                                 SystemName(s) + ": " + QString::fromStdString(problem));
            if (s != system) systems->setCurrentIndex(s == kCartesianSystem ? 1 : 0);
            return false;
        }
        for (const auto& [s, t] : edited) DrawSettingsOk(session, s, AxisValues(t));
        return true;
    });
    return dialog.exec() == QDialog::Accepted;
}

bool RunColorDialog(QWidget* parent, Session& session) {
    ColorDialogModel model(session.plot.colors);
    QDialog dialog(parent);
    dialog.setWindowTitle("Color Setting");
    dialog.setObjectName("IDD_DIALOG_COLOR");
    auto* layout = new QVBoxLayout(&dialog);
    auto* patterns = new QGroupBox("Pattern");
    auto* patternLayout = new QHBoxLayout(patterns);
    auto* list = new QListWidget;
    list->setObjectName("colorList");
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    patternLayout->addWidget(list);
    auto* buttons = new QVBoxLayout;
    patternLayout->addLayout(buttons);
    layout->addWidget(patterns);
    auto refill = [&] {
        list->clear();
        const std::vector<std::string> labels = model.RowLabels();
        for (size_t i = 0; i < labels.size(); ++i) {
            auto* item = new QListWidgetItem(QString::fromStdString(labels[i]), list);
            item->setBackground(ToQColor(model.Rows()[i]));
        }
    };
    auto selectedRows = [&] {
        std::vector<int> rows;
        for (QListWidgetItem* item : list->selectedItems()) rows.push_back(list->row(item));
        return rows;
    };
    auto addButton = [&](QBoxLayout* box, const QString& text, const QString& name,
                         std::function<void()> run) {
        auto* button = new QPushButton(text);
        button->setObjectName(name);
        box->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &dialog, [run = std::move(run), &refill] {
            run();
            refill();
        });
    };
    Notifier& notifier = session.Doc().GetNotifier();
    addButton(buttons, "Insert", "insertColor", [&] {
        if (auto c = PickColor(&dialog, {0, 0, 0})) model.InsertColor(*c);
    });
    addButton(buttons, "Change Color", "changeColor", [&] {
        const std::vector<int> rows = selectedRows();
        if (!model.CanChangeColor(rows, notifier)) return;
        if (auto c = PickColor(&dialog, model.Rows()[static_cast<size_t>(rows.front())]))
            model.ChangeColor(rows.front(), *c);
    });
    addButton(buttons, "Delete", "deleteColor", [&] { model.DeleteColors(selectedRows()); });
    addButton(buttons, "Default Setting", "defaultLineColors", [&] { model.DefaultLineColors(); });
    auto* frame = new QGroupBox("Coordinates");
    auto* frameLayout = new QHBoxLayout(frame);
    addButton(frameLayout, "Change Color", "changeCoordinatesColor", [&] {
        if (auto c = PickColor(&dialog, session.plot.colors.coordinates))
            model.ChangeCoordinatesColor(session.plot.colors, *c);
    });
    addButton(frameLayout, "Default Setting", "defaultFrameColors",
              [&] { model.DefaultFrameColors(session.plot.colors); });
    addButton(frameLayout, "Grid Change Color", "changeGridColor", [&] {
        if (auto c = PickColor(&dialog, session.plot.colors.grid))
            model.ChangeGridColor(session.plot.colors, *c);
    });
    layout->addWidget(frame);
    auto* okCancel = new QHBoxLayout;
    okCancel->addStretch();
    auto* ok = new QPushButton("OK");
    ok->setObjectName("okButton");
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cancelButton");
    okCancel->addWidget(ok);
    okCancel->addWidget(cancel);
    layout->addLayout(okCancel);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    refill();
    if (dialog.exec() != QDialog::Accepted) {
        session.Doc().GetListener().RedrawView(); // frame colours apply at once, also on Cancel
        return false;
    }
    ColorsOk(session, model);
    return true;
}

bool RunScreenshotSettingDialog(QWidget* parent, Session& session) {
    int mode = session.Doc().captureMode;
    FormDialog dialog(parent, "Screenshot Setting", "IDD_DIALOG_CAPTURE_SCREEN");
    auto* group = dialog.AddGroup("");
    dialog.AddRadioChoice(group,
                          {"Include Results", "Does not Include Results", "Standard Window 1(400*600)",
                           "Standard Window 2(450*450)"},
                          "captureMode", mode);
    dialog.SetAccept([&] {
        ScreenshotSettingOk(session, mode);
        return true;
    });
    return dialog.exec() == QDialog::Accepted;
}

bool RunScreenshotPathDialog(QWidget* parent, Session& session) {
    std::string folder = CurrentScreenshotFolder(session).toStdString();
    FormDialog dialog(parent, "Screenshot Path", "IDD_DIALOG_PICTURE");
    auto* group = dialog.AddGroup("");
    dialog.AddPathEdit(group, "IDC_EDIT_PATH", folder, [parent] { return ChooseFolder(parent); });
    dialog.SetAccept(
        [&] { return ChooseScreenshotFolder(&dialog, session, QString::fromStdString(folder)); });
    return dialog.exec() == QDialog::Accepted;
}

bool RunSaveAsDialog(QWidget* parent, Session& session) {
    std::string folder;
    FormDialog dialog(parent, "Save as", "IDD_DIALOG_SAVE");
    auto* group = dialog.AddGroup("");
    dialog.AddPathEdit(group, "IDC_EDIT_PATH", folder, [parent] { return ChooseFolder(parent); });
    dialog.SetAccept([&] { return SaveAsOk(session, folder); });
    return dialog.exec() == QDialog::Accepted;
}
