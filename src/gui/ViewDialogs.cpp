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

namespace {
// "Color Setting": the line colours are edited in the dialog's own list and apply on OK; the frame
// colours apply at once, through the view's command, as the user picks them.
class ColorDialog : public QDialog {
  public:
    ColorDialog(QWidget* parent, Session& session)
        : QDialog(parent), m_session(session), m_model(session.plot.colors) {
        setWindowTitle("Color Setting");
        setObjectName("IDD_DIALOG_COLOR");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(PatternGroup());
        layout->addWidget(FrameGroup());
        layout->addLayout(OkCancelRow());
        Refill();
    }
    const ColorDialogModel& Model() const { return m_model; }

  private:
    QGroupBox* PatternGroup() {
        auto* group = new QGroupBox("Pattern");
        auto* row = new QHBoxLayout(group);
        m_list = new QListWidget;
        m_list->setObjectName("colorList");
        m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        row->addWidget(m_list);
        auto* buttons = new QVBoxLayout;
        row->addLayout(buttons);
        AddButton(buttons, "Insert", "insertColor", [this] {
            if (auto c = PickColor(this, {0, 0, 0})) m_model.InsertColor(*c);
        });
        AddButton(buttons, "Change Color", "changeColor", [this] {
            const std::vector<int> rows = SelectedRows();
            if (!m_model.CanChangeColor(rows, m_session.Doc().GetNotifier())) return;
            if (auto c = PickColor(this, m_model.Rows()[static_cast<size_t>(rows.front())]))
                m_model.ChangeColor(rows.front(), *c);
        });
        AddButton(buttons, "Delete", "deleteColor", [this] { m_model.DeleteColors(SelectedRows()); });
        AddButton(buttons, "Default Setting", "defaultLineColors", [this] { m_model.DefaultLineColors(); });
        return group;
    }

    QGroupBox* FrameGroup() {
        auto* group = new QGroupBox("Coordinates");
        auto* row = new QHBoxLayout(group);
        auto pick = [this](FrameColor which, Rgb start) {
            if (auto c = PickColor(this, start)) FrameColorCommand(m_session, m_model, which, *c);
        };
        AddButton(row, "Change Color", "changeCoordinatesColor",
                  [this, pick] { pick(FrameColor::Coordinates, m_session.plot.colors.coordinates); });
        AddButton(row, "Default Setting", "defaultFrameColors",
                  [this] { FrameColorCommand(m_session, m_model, FrameColor::Defaults); });
        AddButton(row, "Grid Change Color", "changeGridColor",
                  [this, pick] { pick(FrameColor::Grid, m_session.plot.colors.grid); });
        return group;
    }

    QHBoxLayout* OkCancelRow() {
        auto* row = new QHBoxLayout;
        row->addStretch();
        auto* ok = new QPushButton("OK");
        ok->setObjectName("okButton");
        auto* cancel = new QPushButton("Cancel");
        cancel->setObjectName("cancelButton");
        row->addWidget(ok);
        row->addWidget(cancel);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        return row;
    }

    void AddButton(QBoxLayout* box, const QString& text, const QString& name, std::function<void()> run) {
        auto* button = new QPushButton(text);
        button->setObjectName(name);
        box->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, run = std::move(run)] {
            run();
            Refill();
        });
    }

    void Refill() {
        m_list->clear();
        const std::vector<std::string> labels = m_model.RowLabels();
        for (size_t i = 0; i < labels.size(); ++i) {
            auto* item = new QListWidgetItem(QString::fromStdString(labels[i]), m_list);
            item->setBackground(ToQColor(m_model.Rows()[i]));
        }
    }

    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (QListWidgetItem* item : m_list->selectedItems()) rows.push_back(m_list->row(item));
        return rows;
    }

    Session& m_session;
    ColorDialogModel m_model;
    QListWidget* m_list = nullptr;
};
} // namespace

bool RunColorDialog(QWidget* parent, Session& session) {
    ColorDialog dialog(parent, session);
    if (dialog.exec() != QDialog::Accepted) {
        session.Doc().GetListener().RedrawView(); // the frame colours picked stay, also on Cancel
        return false;
    }
    ColorsOk(session, dialog.Model());
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
