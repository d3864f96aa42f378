// The export dialog with its pattern information dialog, the XML configuration dialog and About.
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include "app/Version.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "export/PatternInfoRows.h"
#include "gui/Dialogs.h"
#include "gui/FormDialog.h"

namespace {
// The pattern information dialog: opens with the documented blank entries, keeps its values in
// `info` on OK.
bool RunPatternInfoDialog(QWidget* parent, Session& session, PatternInfoConfig& info) {
    std::string antennaType = "Dual-port", gainUnit = "dBi", tiltMethod = "None";
    FormDialog dialog(parent, "pattern information configuration", "IDD_DIALOG_PATTERN_FILES_INFO");
    auto* group = dialog.AddGroup("");
    dialog.AddTextCombo(group, "Antenna Type:", {"Dual-port", "Multi-port"}, "antennaType", antennaType);
    dialog.AddTextCombo(group, "Gain Unit:", {"dBi", "dBd"}, "gainUnit", gainUnit);
    dialog.AddTextCombo(group, "Tilt adjustment method:", {"None", "Electrical", "Mechanical"}, "tiltMethod",
                        tiltMethod);
    auto* ports = new QTableWidget(static_cast<int>(kPortRows), 3);
    ports->setObjectName("portList");
    ports->setHorizontalHeaderLabels({"No.", "Port name", "Extensions"});
    ports->verticalHeader()->setVisible(false);
    for (int row = 0; row < static_cast<int>(kPortRows); ++row) {
        auto* number = new QTableWidgetItem(QString::number(row));
        number->setFlags(Qt::ItemIsEnabled);
        ports->setItem(row, 0, number);
        ports->setItem(row, 1, new QTableWidgetItem);
        ports->setItem(row, 2, new QTableWidgetItem);
    }
    ports->setColumnWidth(0, 40);
    ports->setColumnWidth(1, 60);
    ports->setColumnWidth(2, 60);
    dialog.AddWidget(ports);
    dialog.SetAccept([&] {
        std::vector<std::pair<std::string, std::string>> rows;
        for (int row = 0; row < static_cast<int>(kPortRows); ++row)
            rows.emplace_back(ports->item(row, 1)->text().toStdString(),
                              ports->item(row, 2)->text().toStdString());
        return AcceptPatternInfo(antennaType, gainUnit, tiltMethod, rows, info, session.Doc().GetNotifier());
    });
    return dialog.exec() == QDialog::Accepted;
}

const std::array<const char*, kExportOptionKeys.size()> kExportOptionTexts{"Export Report（Word Format 1）",
                                                                           "Export Report（Word Format 2）",
                                                                           "中文",
                                                                           "英文",
                                                                           "Export Report（Excel Format）",
                                                                           "Export data（Excel Format）",
                                                                           "Pln",
                                                                           "Msi",
                                                                           "Xml",
                                                                           "Txt",
                                                                           "TMVmsi",
                                                                           "OneSheet",
                                                                           "Encrypt Pattern Files",
                                                                           "Gain Files"};
} // namespace

bool RunExportDialog(QWidget* parent, Session& session) {
    DataExportOptions options = LoadExportOptions(session.Doc());
    PatternInfoConfig info = session.Doc().patternInfo;
    std::string folder = session.exportState.workingFolder;
    FormDialog dialog(parent, "Export Data", "IDD_DIALOG_DATA_EXPORT");
    auto* reports = dialog.AddGroup("Reports");
    auto* files = dialog.AddGroup("Pattern Files", 1);
    std::array<bool, kExportOptionKeys.size()> checked{};
    for (size_t i = 0; i < kExportOptionKeys.size(); ++i) {
        checked[i] = options.*kExportOptionKeys[i].member;
        // The two hidden boxes are kept and persisted but not shown.
        if (i >= 12) continue;
        dialog.AddCheck(i < 6 ? reports : files, QString::fromUtf8(kExportOptionTexts[i]),
                        QString::fromUtf8(kExportOptionKeys[i].key.data(),
                                          static_cast<int>(kExportOptionKeys[i].key.size())),
                        checked[i]);
    }
    dialog.AddCheck(reports, "PDF",
                    QString::fromUtf8(kExportPdfKey.data(), static_cast<int>(kExportPdfKey.size())),
                    options.pdf);
    auto* list = new QTreeWidget;
    list->setObjectName("exportFileList");
    list->setHeaderLabels({"File Name", "File Path"});
    list->setRootIsDecorated(false);
    for (const auto& [key, file] : session.Doc().table)
        new QTreeWidgetItem(list, {QString::fromStdString(file.fileName), QString::fromStdString(file.path)});
    dialog.AddWidget(list);
    auto* pathGroup = dialog.AddGroup("Path of Report");
    dialog.AddPathEdit(pathGroup, "IDC_EDIT_REPORT_PATH", folder,
                       [parent] { return QFileDialog::getExistingDirectory(parent, "选择数据导入目录："); });
    auto* infoButton = new QPushButton("Pattern Information...");
    infoButton->setObjectName("patternInfoButton");
    dialog.AddWidget(infoButton);
    QObject::connect(infoButton, &QPushButton::clicked, &dialog,
                     [&] { RunPatternInfoDialog(&dialog, session, info); });
    dialog.SetAccept([&] {
        for (size_t i = 0; i < kExportOptionKeys.size(); ++i)
            options.*kExportOptionKeys[i].member = checked[i];
        return ExportDialogOk(session, folder, options, info);
    });
    return dialog.exec() == QDialog::Accepted;
}

bool RunXmlConfigDialog(QWidget* parent, Session& session) {
    std::string path = session.xmlConfigPath;
    FormDialog dialog(parent, "XML configuration", "IDD_DIALOG_SELECT_XML");
    auto* group = dialog.AddGroup("Select XML path");
    dialog.AddPathEdit(group, "IDC_EDIT_XML_PATH", path, [parent] {
        return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                            "ZR460 Files (*.XML);;All Files (*.*)");
    });
    dialog.SetAccept([&] {
        XmlConfigOk(session, path);
        return true;
    });
    return dialog.exec() == QDialog::Accepted;
}

void RunAboutDialog(QWidget* parent) {
    QMessageBox::about(parent, "About " QUADREL_PROGRAM_NAME,
                       QUADREL_PROGRAM_NAME " " QUADREL_VERSION
                                            "\nAntenna pattern analysis\nMade for antenna test engineers");
}
