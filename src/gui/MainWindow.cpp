#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>

#include "commands/ExportJob.h"
#include "commands/FileCommands.h"
#include "commands/SettingsCommands.h"
#include "gui/AllResultsPane.h"
#include "gui/ExportSummaryDialog.h"
#include "gui/FileListPane.h"
#include "gui/Language.h"
#include "gui/PlotView.h"
#include "gui/QtBridge.h"
#include "gui/ResultPanes.h"
#include "gui/WindowState.h"
#include "import/PlanningImport.h"
#include "reports/ReportWorker.h"

MainWindow::MainWindow(const std::string& configDir, QWidget* parent) : QMainWindow(parent) {
    setObjectName("mainWindow");
    m_state = std::make_unique<WindowState>(QString::fromStdString(configDir));
    InstallLanguage(m_state->Language());
    m_notifier = new QtNotifier(this);
    m_listener = new QtListener;
    m_listener->setParent(this);
    m_session = CreateSession(configDir, m_notifier, m_listener);
    // The document title "Vexlor " and the application title, joined as the frame always joined them.
    setWindowTitle(QStringLiteral("Vexlor ") + " - " + "Norvan");

    m_view = new PlotView(*m_session, m_notifier, this);
    setCentralWidget(m_view);
    CreatePanes();
    CreateMenus();
    CreateToolBar();

    m_progress = new QProgressBar(this);
    m_progress->setObjectName("exportProgress");
    m_progress->setMaximumWidth(200);
    m_progress->setFormat("%v of %m files");
    m_progress->hide();
    statusBar()->addPermanentWidget(m_progress);
    m_cancelExport = new QPushButton("Cancel", this);
    m_cancelExport->setObjectName("exportCancel");
    m_cancelExport->hide();
    statusBar()->addPermanentWidget(m_cancelExport);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, &MainWindow::ShowExportProgress);
    connect(m_cancelExport, &QPushButton::clicked, this, [this] {
        if (m_export) m_export->Stop();
        m_cancelExport->setEnabled(false);
    });
    statusBar()->showMessage(Tr("Ready"));

    connect(m_listener, &QtListener::fileListChanged, m_fileList, &FileListPane::Rebuild);
    connect(m_listener, &QtListener::currentResultsChanged, m_currentResults, &CurrentResultsPane::Rebuild);
    connect(m_listener, &QtListener::allResultsChanged, m_allResults, &AllResultsPane::Rebuild);
    connect(m_listener, &QtListener::readoutLineChanged, m_currentResults,
            &CurrentResultsPane::UpdateReadoutLine);
    connect(m_listener, &QtListener::viewChanged, m_view, &PlotView::InvalidateCurves);
    connect(m_listener, &QtListener::viewChanged, this, &MainWindow::UpdateActionStates);
    // A drag ends with the panes' refresh; the history has its entry by then.
    connect(m_listener, &QtListener::currentResultsChanged, this, &MainWindow::UpdateActionStates);
    connect(m_listener, &QtListener::closeNotice, this,
            [this] { m_notifier->Notify("接受到关闭消息", "Vexlor"); });
    connect(m_listener, &QtListener::showPanes, this, [this] {
        for (QDockWidget* dock : {m_fileDock, m_currentDock, m_allDock}) dock->show();
    });
    connect(m_notifier, &QtNotifier::statusText, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(m_view, &PlotView::modesChanged, this, &MainWindow::UpdateActionStates);
    connect(m_fileList, &FileListPane::filesDropped, this, &MainWindow::OnDrop);
    m_fileList->Rebuild();
    UpdateActionStates();
    resize(1280, 860);
    m_state->RestoreLayout(*this);
    TranslateWidgetTree(this);
}

MainWindow::~MainWindow() {
    // The panes hold references into the session; they go first.
    delete m_fileDock;
    delete m_currentDock;
    delete m_allDock;
    delete m_view;
}

void MainWindow::CreatePanes() {
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    m_fileList = new FileListPane(*m_session);
    m_currentResults = new CurrentResultsPane(*m_session, *m_view);
    m_allResults = new AllResultsPane(*m_session);
    auto makeDock = [this](const QString& title, const QString& name, QWidget* page,
                           Qt::DockWidgetArea area) {
        auto* dock = new QDockWidget(title, this);
        dock->setObjectName(name);
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        dock->setWidget(page);
        addDockWidget(area, dock);
        return dock;
    };
    m_fileDock = makeDock("File Lists", "fileListsDock", m_fileList, Qt::LeftDockWidgetArea);
    m_allDock = makeDock("All Results", "allResultsDock", m_allResults, Qt::BottomDockWidgetArea);
    m_currentDock =
        makeDock("Current Results", "currentResultsDock", m_currentResults, Qt::RightDockWidgetArea);
    resizeDocks({m_fileDock, m_currentDock}, {330, 330}, Qt::Horizontal);
    resizeDocks({m_allDock}, {200}, Qt::Vertical);
}

QAction* MainWindow::Action(const QString& name) const {
    return findChild<QAction*>(name);
}

QAction* MainWindow::AddAction(QMenu* menu, const QString& name, const QString& text,
                               std::function<void()> run, std::function<bool()> checked,
                               const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    if (checked) {
        action->setCheckable(true);
        m_checkable.emplace_back(action, checked);
    }
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        run();
        UpdateActionStates();
    });
    if (menu) menu->addAction(action);
    return action;
}

void MainWindow::UpdateActionStates() {
    for (auto& [action, checked] : m_checkable) action->setChecked(checked());
    const UndoHistory& history = m_session->history;
    m_undoAction->setText(Tr("&" + QString::fromStdString(history.UndoText())));
    m_undoAction->setEnabled(history.CanUndo());
    m_redoAction->setText(Tr("&" + QString::fromStdString(history.RedoText())));
    m_redoAction->setEnabled(history.CanRedo());
}

void MainWindow::OpenPaths(const QStringList& paths) {
    QElapsedTimer clock;
    clock.start();
    std::vector<std::string> list;
    for (const QString& path : paths) list.push_back(path.toStdString());
    const CollectedPatternFiles collected = CollectPatternFiles(list);
    for (const std::string& path : collected.missing)
        m_notifier->Notify("No such file or folder: " + path, "Vexlor");
    for (const auto& [folder, why] : collected.skippedFolders) m_notifier->Warning(folder, why);
    if (collected.files.empty()) return;
    if (OpenFilesCommand(*m_session, collected.files) == kLoadRefused) {
        const LoadFailure& failure = m_session->Doc().LastLoadFailure();
        statusBar()->showMessage(QString::fromStdString("Refused " + failure.Describe()));
    } else {
        ShowLoaded(collected.files, clock.elapsed());
    }
    RememberRecent(paths);
    ShowWarnings("loading");
}

void MainWindow::OnDrop(const QStringList& paths) {
    QElapsedTimer clock;
    clock.start();
    std::vector<std::string> list;
    for (const QString& path : paths) list.push_back(path.toStdString());
    if (DropFilesCommand(*m_session, list) != kLoadRefused)
        ShowLoaded(CollectPatternFiles(list).files, clock.elapsed());
    RememberRecent(paths);
    ShowWarnings("loading");
}

void MainWindow::ShowLoaded(const std::vector<std::string>& files, qint64 elapsedMs) {
    if (files.empty()) return;
    QSet<QString> folders;
    for (const std::string& file : files) folders.insert(QFileInfo(QString::fromStdString(file)).path());
    const QString cuts = files.size() == 1 ? Tr("1 cut") : Tr("%1 cuts").arg(files.size());
    const QString from = folders.size() == 1 ? Tr("1 folder") : Tr("%1 folders").arg(folders.size());
    statusBar()->showMessage(
        Tr("Loaded %1 from %2 in %3 s").arg(cuts, from, QString::number(elapsedMs / 1000.0, 'f', 1)));
}

bool MainWindow::CloseAll() {
    if (m_session->history.CanUndo()) {
        QMessageBox prompt(QMessageBox::Question, "Vexlor",
                           Tr("Close all patterns? Their edits have not been saved with Save As."),
                           QMessageBox::Yes | QMessageBox::No, this);
        prompt.setObjectName("closeAllPrompt");
        if (prompt.exec() != QMessageBox::Yes) return false;
    }
    CloseAllCommand(*m_session);
    statusBar()->showMessage(Tr("Closed all patterns"));
    return true;
}

void MainWindow::OpenChosenFiles(const QStringList& paths, bool planningChosen) {
    if (paths.isEmpty()) return;
    m_state->SetLastFolder("open", QFileInfo(paths.front()).path());
    QStringList patterns, planning;
    for (const QString& path : paths) {
        const QString suffix = QFileInfo(path).suffix().toLower();
        (planningChosen || suffix == "pln" || suffix == "txt" ? planning : patterns) << path;
    }
    if (!patterns.isEmpty()) OpenPaths(patterns);
    if (!planning.isEmpty()) ImportPlanningFiles(planning);
}

void MainWindow::ImportPlanningFiles(const QStringList& paths) {
    const QString folder = QFileInfo(paths.front()).path();
    QMessageBox prompt(QMessageBox::Question, "Vexlor",
                       Tr("%1 planning file(s) are imported as a measurement into a new folder in %2, "
                          "then opened. Import them?")
                           .arg(paths.size())
                           .arg(QDir::toNativeSeparators(folder)),
                       QMessageBox::Yes | QMessageBox::No, this);
    prompt.setObjectName("importPrompt");
    if (prompt.exec() != QMessageBox::Yes) return;
    ImportOptions options;
    options.outFolder = folder.toStdString();
    std::vector<std::string> files;
    for (const QString& path : paths) files.push_back(path.toStdString());
    const ImportOutcome outcome = ::ImportPlanningFiles(files, options, *m_notifier);
    QStringList problems;
    for (const auto* list : {&outcome.refused, &outcome.failed})
        for (const ImportProblem& problem : *list) problems << QString::fromStdString(problem.Describe());
    if (!problems.isEmpty())
        m_notifier->Notify((Tr("Not imported:") + "\n" + problems.join("\n")).toStdString(), "Vexlor");
    QStringList folders;
    for (const ImportedFile& file : outcome.files) {
        const QString testFolder = QString::fromStdString(file.testFolder);
        if (!folders.contains(testFolder)) folders << testFolder;
    }
    if (!folders.isEmpty()) OpenPaths(folders);
}

void MainWindow::ShowWarnings(const QString& work) {
    const QStringList warnings = m_notifier->TakeWarnings();
    if (warnings.isEmpty()) return;
    constexpr int kShown = 12;
    const QString summary = warnings.size() == 1
                                ? Tr("1 warning while %1").arg(Tr(work))
                                : Tr("%1 warnings while %2").arg(warnings.size()).arg(Tr(work));
    statusBar()->showMessage(summary + ": " + warnings.front());
    auto* box = new QMessageBox(QMessageBox::Warning, "Vexlor",
                                summary + ":\n\n" + warnings.mid(0, kShown).join("\n") +
                                    (warnings.size() > kShown ? "\n…" : ""),
                                QMessageBox::Ok, this);
    box->setObjectName("warningsBox");
    box->setDetailedText(warnings.join("\n"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void MainWindow::StartExport() {
    if (m_export) return;
    m_export = std::make_shared<ExportJob>(*m_session);
    Action("actionExport")->setEnabled(false);
    m_cancelExport->setEnabled(true);
    m_cancelExport->show();
    m_progress->show();
    ShowExportProgress();
    m_progressTimer->start();
    // The worker owns its share of the job; the window keeps its own until the worker has ended.
    QThread* worker = QThread::create([job = m_export] {
        BlockingReportLauncher reports;
        job->Run(&reports);
    });
    connect(worker, &QThread::finished, this, [this, worker] {
        worker->deleteLater();
        EndExport();
    });
    worker->start();
}

void MainWindow::ShowExportProgress() {
    if (!m_export) return;
    m_progress->setRange(0, std::max(1, m_export->FilesExpected()));
    m_progress->setValue(m_export->FilesDone());
}

void MainWindow::EndExport() {
    m_progressTimer->stop();
    m_export->Finish(*m_session);
    statusBar()->showMessage(Tr("Exported %1 files").arg(m_export->FilesDone()));
    const ExportSummary summary = m_export->Summary();
    m_export.reset();
    m_progress->hide();
    m_cancelExport->hide();
    Action("actionExport")->setEnabled(true);
    ShowExportSummary(this, summary);
    emit exportFinished();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_export) {
        event->ignore();
        return;
    }
    QMessageBox prompt(QMessageBox::Warning, "Vexlor", Tr("Do you want to quit?"),
                       QMessageBox::Yes | QMessageBox::No, this);
    prompt.setObjectName("closePrompt");
    if (prompt.exec() != QMessageBox::Yes) {
        event->ignore();
        return;
    }
    CloseCommand(*m_session);
    m_state->SaveLayout(*this);
    event->accept();
}
