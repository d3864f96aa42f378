// The menus and the tool bar of the main window: each entry calls one core command or opens one
// dialog; checked entries read their state from the session.
#include <QActionGroup>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <utility>

#include "app/Version.h"
#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/SettingsCommands.h"
#include "commands/ViewCommands.h"
#include "document/PatternFileName.h"
#include "gui/DatasheetPane.h"
#include "gui/Dialogs.h"
#include "gui/FileListPane.h"
#include "gui/Language.h"
#include "gui/MainWindow.h"
#include "gui/PatternInfoDialog.h"
#include "gui/PlotView.h"
#include "gui/PlotViewActions.h"
#include "gui/QtBridge.h"
#include "gui/ViewScreenshot.h"
#include "gui/WindowState.h"
#include "render/PlotCapture.h"

namespace {
// The first filter is the pattern-file rule's own.
const char* kOpenFilters[] = {nullptr, "Planning Files to Import (*.msi *.MSI *.pln *.PLN *.txt *.TXT)",
                              "All Files (*)"};
const char* kSelectionFilter = "Config File (*.ini);;All Files (*.*)";

QString MenuText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}
} // namespace

void MainWindow::CreateMenus() {
    CreateFileMenu();
    CreateEditMenu();
    CreateViewMenu();
    CreateAnalysisMenu();
    CreateIndicatorsMenu();
    CreateExportAndHelpMenus();
}

void MainWindow::CreateFileMenu() {
    QMenu* menu = menuBar()->addMenu("&File");
    QAction* open = AddAction(
        menu, "actionOpen", "&Open...",
        [this] {
            QStringList filters;
            for (const char* filter : kOpenFilters)
                filters << (filter ? Tr(filter) : Tr(QString::fromStdString(PatternFileFilter())));
            QString chosenFilter;
            const QStringList paths = QFileDialog::getOpenFileNames(
                this, Tr("Open Files"), m_state->LastFolder("open"), filters.join(";;"), &chosenFilter);
            OpenChosenFiles(paths, chosenFilter == filters[1]);
        },
        nullptr, QKeySequence::Open);
    open->setStatusTip("Open pattern files, or planning files to import");
    open->setToolTip("Open");
    AddAction(
        menu, "actionOpenFolder", "Open &Folder...",
        [this] {
            const QString folder =
                QFileDialog::getExistingDirectory(this, Tr("Open Folder"), m_state->LastFolder("folder"));
            if (folder.isEmpty()) return;
            m_state->SetLastFolder("folder", QFileInfo(folder).path());
            OpenPaths({folder});
        },
        nullptr, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O))
        ->setStatusTip("Open every pattern file of an antenna folder");
    AddAction(
        menu, "actionCloseAll", "&Close All", [this] { CloseAll(); }, nullptr,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W))
        ->setStatusTip("Close every open pattern file");
    AddAction(
        menu, "actionSave", "&Save", [] {}, nullptr, QKeySequence::Save)
        ->setStatusTip("Save");
    AddAction(
        menu, "actionSaveAs", "Save &As...",
        [this] {
            if (RunSaveAsDialog(this, *m_session)) statusBar()->showMessage(Tr("Saved the pattern files"));
        },
        nullptr, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S))
        ->setStatusTip("Save as Files");
    AddAction(
        menu, "actionPatternInfo", "Pattern &Information...",
        [this] {
            const CQuadrelDoc& doc = std::as_const(*m_session).Doc();
            const PatternFile* file =
                doc.selectionList.empty() ? nullptr : doc.Find(doc.selectionList.front());
            if (file)
                RunPatternInfoDialog(this, *file);
            else
                statusBar()->showMessage(Tr("Select a cut in the file list first"));
        },
        nullptr, QKeySequence(Qt::CTRL | Qt::Key_I))
        ->setStatusTip("Show where the selected cut came from and the doubts of its reading");
    menu->addSeparator();
    AddAction(menu, "actionScreenshot", "Save ScreenShot", [this] {
        SaveScreenshot();
    })->setStatusTip("Save Screenshot");
    AddAction(menu, "actionScreenshotSetting", "Screenshot Setting...",
              [this] { RunScreenshotSettingDialog(this, *m_session); });
    AddAction(menu, "actionScreenshotPath", "Screenshot Path...",
              [this] { RunScreenshotPathDialog(this, *m_session); });
    menu->addSeparator();
    AddAction(
        menu, "actionPrint", "&Print...", [this] { Print(false); }, nullptr, QKeySequence::Print);
    AddAction(menu, "actionPrintPreview", "Print Pre&view", [this] { Print(true); });
    menu->addSeparator();
    m_recentFoldersMenu = menu->addMenu("Recent Antennas");
    m_recentFoldersMenu->setObjectName("recentFoldersMenu");
    m_recentMenu = menu->addMenu("Recent Files");
    m_recentMenu->setObjectName("recentMenu");
    UpdateRecentMenu();
    menu->addSeparator();
    AddAction(
        menu, "actionExit", "E&xit", [this] { close(); }, nullptr, QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void MainWindow::CreateEditMenu() {
    QMenu* menu = menuBar()->addMenu("&Edit");
    // Their texts and states follow the history (UpdateActionStates).
    m_undoAction = AddAction(
        menu, "actionUndo", "&Undo", [this] { UndoCommand(*m_session); }, nullptr,
        QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = AddAction(
        menu, "actionRedo", "&Redo", [this] { RedoCommand(*m_session); }, nullptr,
        QKeySequence(Qt::CTRL | Qt::Key_Y));
    menu->addSeparator();
    AddAction(
        menu, "actionDelete", "Delete", [this] { m_fileList->DeleteSelected(); }, nullptr,
        QKeySequence(Qt::Key_Delete));
    AddAction(
        menu, "actionSelectAll", "Select All", [this] { m_fileList->SelectAllRows(); }, nullptr,
        QKeySequence(Qt::CTRL | Qt::Key_A));
    // The next or previous row of the file list becomes the selection, as a click on it would.
    const auto stepCut = [this](int step) {
        const QAbstractItemModel* model = m_fileList->model();
        const int rows = model->rowCount();
        if (rows == 0) return;
        const QModelIndex current = m_fileList->currentIndex();
        const int row = current.isValid() ? std::clamp(current.row() + step, 0, rows - 1) : 0;
        m_fileList->setCurrentIndex(model->index(row, 0));
    };
    AddAction(
        menu, "actionNextCut", "Next Cut", [stepCut] { stepCut(1); }, nullptr,
        QKeySequence(Qt::ALT | Qt::Key_Down))
        ->setStatusTip("Select the next cut of the file list");
    AddAction(
        menu, "actionPreviousCut", "Previous Cut", [stepCut] { stepCut(-1); }, nullptr,
        QKeySequence(Qt::ALT | Qt::Key_Up))
        ->setStatusTip("Select the previous cut of the file list");
    menu->addSeparator();
    AddAction(menu, "actionRotateDisplay", "Rotate for Display...",
              [this] { RunRotationDialog(this, *m_session, false); });
    AddAction(menu, "actionRotateData", "Rotate the Data...",
              [this] { RunRotationDialog(this, *m_session, true); });
    AddAction(menu, "actionNonRotate", "Non Rotate", [this] { NonRotateCommand(*m_session); });
    AddAction(menu, "actionLevelAdjust", "Level Adjustment...", [this] { RunLevelDialog(this, *m_session); });
    AddAction(
        menu, "actionPatternDrag", "Pattern Drag", [this] { m_view->ToggleDragMode(); },
        [this] { return m_view->DragMode(); })
        ->setToolTip("Pattern Adjustment");
    menu->addSeparator();
    const std::pair<SelectionToggle, const char*> toggles[] = {
        {SelectionToggle::Single, "Single"},
        {SelectionToggle::CoCross, "With Co/Cross Polarization"},
        {SelectionToggle::Plane, "With H/V Plane"},
        {SelectionToggle::Polarisation, "With +45/-45 Polarization"}};
    const char* names[] = {"actionSingle", "actionWithCoCross", "actionWithPlane", "actionWithPolarisation"};
    int i = 0;
    for (const auto& [toggle, text] : toggles) {
        const SelectionToggle t = toggle;
        AddAction(
            menu, names[i++], text, [this, t] { FlipSelectionToggle(*m_session, t); },
            [this, t] { return m_session->Doc().ToggleState(t); });
    }
}

void MainWindow::CreateViewMenu() {
    QMenu* menu = menuBar()->addMenu("&View");
    AddAction(
        menu, "actionPolar", "Polar Coordinates",
        [this] { SetCoordinateSystemCommand(*m_session, kPolarSystem); },
        [this] { return m_session->plot.settings.coordinateSystem == kPolarSystem; });
    AddAction(
        menu, "actionCartesian", "Cartesian Coordinates",
        [this] { SetCoordinateSystemCommand(*m_session, kCartesianSystem); },
        [this] { return m_session->plot.settings.coordinateSystem == kCartesianSystem; });
    AddAction(menu, "actionDrawSetting", "Draw Setting...",
              [this] { RunDrawSettingDialog(this, *m_session); });
    AddAction(menu, "actionColors", "Color Setting...", [this] { RunColorDialog(this, *m_session); });
    menu->addSeparator();
    AddAction(
        menu, "actionZoomIn", "Zoom In", [this] { m_view->ToggleZoomMode(); },
        [this] { return m_view->ZoomMode(); });
    AddAction(menu, "actionResetView", "Reset View", [this] { m_view->ResetView(); });
    AddAction(
        menu, "actionTrackingLines", "Tracking Lines", [this] { m_view->ToggleTrackingLines(); },
        [this] { return m_view->TrackingLines(); });
    menu->addSeparator();
    const std::tuple<DisplaySwitch, const char*, const char*> switches[] = {
        {DisplaySwitch::Relative, "actionRelative", "Relative Display"},
        {DisplaySwitch::Reference3dB, "action3dBReference", "3dB Reference Line"},
        {DisplaySwitch::Envelope, "actionEnvelope", "Envelope Display"},
        {DisplaySwitch::Spr, "actionSprDisplay", "SPR Display"}};
    for (const auto& [which, name, text] : switches) {
        const DisplaySwitch w = which;
        QAction* action = AddAction(
            menu, name, text, [this, w] { ToggleDisplayCommand(*m_session, w); },
            [this, w] { return DisplaySwitchOn(*m_session, w); });
        if (w == DisplaySwitch::Reference3dB) action->setShortcut(Qt::Key_F2);
    }
    menu->addSeparator();
    const std::tuple<MarkerKind, const char*, const char*> markers[] = {
        {MarkerKind::Max, "actionMarkMax", "Mark Max"},
        {MarkerKind::Min, "actionMarkMin", "Mark Min"},
        {MarkerKind::Fsu, "actionMarkFsu", "Mark FSU"},
        {MarkerKind::SsMax, "actionMarkSsMax", "Mark SS MAX"}};
    for (const auto& [kind, name, text] : markers) {
        const MarkerKind k = kind;
        AddAction(
            menu, name, text, [this, k] { ToggleMarkerCommand(*m_session, k); },
            [this, k] {
                const MarkerSwitches& s = m_session->plot.markerSwitches;
                return k == MarkerKind::Max   ? s.max
                       : k == MarkerKind::Min ? s.min
                       : k == MarkerKind::Fsu ? s.fsu
                                              : s.ssMax;
            });
    }
    AddAction(
        menu, "actionClearMarks", "Clear Marks", [this] { ClearMarksCommand(*m_session); },
        [this] { return m_session->plot.markerSwitches.clearMarks; });
    menu->addSeparator();
    AddAction(menu, "actionShowFileList", "File Lists", [this] { m_fileDock->show(); });
    AddAction(menu, "actionShowCurrentResults", "Current Results", [this] { m_currentDock->show(); });
    AddAction(menu, "actionShowAllResults", "All Results", [this] { m_allDock->show(); });
    AddPlotViewActions(this, menu, m_view);
    CreateLanguageMenu(menu);
}

void MainWindow::CreateLanguageMenu(QMenu* menu) {
    menu->addSeparator();
    QMenu* languages = menu->addMenu("Language");
    languages->setObjectName("languageMenu");
    auto* group = new QActionGroup(this);
    const std::pair<const char*, const char*> choices[] = {{"en", "English"}, {"zh_CN", "Chinese"}};
    for (const auto& [code, text] : choices) {
        const QString language = code;
        QAction* action = AddAction(
            languages, QString("actionLanguage_") + code, text,
            [this, language] {
                m_state->SetLanguage(language);
                statusBar()->showMessage(Tr("The language changes when the program starts again"));
            },
            [this, language] { return m_state->Language() == language; });
        action->setStatusTip("Choose the language of the next start");
        group->addAction(action);
    }
}

void MainWindow::CreateAnalysisMenu() {
    QMenu* menu = menuBar()->addMenu("&Analysis");
    AddAction(menu, "actionHSetup", "Horizontal Parameter Setup...",
              [this] { RunHSetupDialog(this, *m_session); });
    AddAction(menu, "actionVSetup", "Vertical Parameters Setup...",
              [this] { RunVSetupDialog(this, *m_session); });
    AddAction(menu, "actionRadiationSetup", "Radiation Parameter Setup...",
              [this] { RunRadiationDialog(this, *m_session); });
    AddAction(menu, "actionEnvelopeConfig", "Envelope and Gain Configuration...",
              [this] { RunEnvelopeDialog(this, *m_session); });
    AddAction(menu, "actionNaming", "Indicator Naming...", [this] { RunNamingDialog(this, *m_session); });
    InstallDatasheetPane(this, *m_session, menu, m_listener);
}

void MainWindow::CreateIndicatorsMenu() {
    QMenu* menu = menuBar()->addMenu("&Indicators");
    QMenu* vertical = menu->addMenu("Vertical");
    QMenu* horizontal = menu->addMenu("Horizontal");
    QMenu* radiation = menu->addMenu("Radiation");
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.section == FlagSection::Display || flag.commandId == 0) continue;
        QMenu* target = flag.section == FlagSection::Vertical     ? vertical
                        : flag.section == FlagSection::Horizontal ? horizontal
                                                                  : radiation;
        const SelectionFlagInfo* f = &flag;
        const QString text = MenuText(flag.listLabel.empty() ? flag.iniKey : flag.listLabel);
        AddAction(
            target, "action_" + MenuText(flag.configKey), text,
            [this, f] { ToggleIndicatorCommand(*m_session, f->commandId); },
            [this, f] { return m_session->Doc().selection.Value(*f) != 0; });
    }
    menu->addSeparator();
    AddAction(menu, "actionVerticalList", "Vertical Parameter List...",
              [this] { RunIndicatorListDialog(this, *m_session, true); });
    AddAction(menu, "actionHorizontalList", "Horizontal Parameter List...",
              [this] { RunIndicatorListDialog(this, *m_session, false); });
    AddAction(menu, "actionLoadSelection", "Load Selection File...", [this] {
        LoadSelectionFileCommand(
            *m_session,
            QFileDialog::getOpenFileName(this, QString(), QString(), kSelectionFilter).toStdString());
    });
    AddAction(menu, "actionSaveSelection", "Save Selection File...", [this] {
        SaveSelectionFileCommand(
            *m_session,
            QFileDialog::getSaveFileName(this, QString(), QString(), kSelectionFilter).toStdString());
    });
}

void MainWindow::CreateExportAndHelpMenus() {
    QMenu* menu = menuBar()->addMenu("E&xport");
    AddAction(menu, "actionExport", "Export Data...", [this] {
        if (RunExportDialog(this, *m_session)) StartExport();
    });
    AddAction(menu, "actionXmlConfig", "XML Configuration...",
              [this] { RunXmlConfigDialog(this, *m_session); });
    QMenu* help = menuBar()->addMenu("&Help");
    AddAction(help, "actionAbout", "&About " QUADREL_PROGRAM_NAME "...", [this] { RunAboutDialog(this); });
}

void MainWindow::CreateToolBar() {
    QToolBar* bar = addToolBar("Standard");
    bar->setObjectName("mainToolBar");
    const std::pair<const char*, const char*> buttons[] = {{"actionOpen", "Open"},
                                                           {"action3dBReference", "3dB Reference Line"},
                                                           {"actionCartesian", "Cartesian Coordinates"},
                                                           {"actionPolar", "Polar Coordinates"}};
    for (const auto& [name, tip] : buttons) {
        QAction* action = Action(name);
        action->setToolTip(tip);
        bar->addAction(action);
    }
}

void MainWindow::UpdateRecentMenu() {
    for (auto [menu, recent] : {std::pair{m_recentFoldersMenu, m_state->RecentFolders()},
                                std::pair{m_recentMenu, m_state->RecentFiles()}}) {
        menu->clear();
        for (const QString& path : recent) {
            QAction* action = menu->addAction(QDir::toNativeSeparators(path));
            action->setStatusTip(Tr("Open %1").arg(QDir::toNativeSeparators(path)));
            connect(action, &QAction::triggered, this, [this, path] { OpenPaths({path}); });
        }
        menu->setEnabled(!recent.isEmpty());
    }
}

void MainWindow::RememberRecent(const QStringList& paths) {
    m_state->RememberOpened(paths);
    UpdateRecentMenu();
}

void MainWindow::SaveScreenshot() {
    const QString saved = SaveViewScreenshot(this, m_view, m_currentDock, *m_session, m_notifier);
    if (saved.isEmpty()) return;
    statusBar()->showMessage(Tr("%1图片保存成功。").arg(saved));
    for (QDockWidget* dock : {m_fileDock, m_currentDock, m_allDock}) dock->show();
}
