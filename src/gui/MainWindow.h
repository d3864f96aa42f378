#pragma once
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

#include "commands/StartUp.h"

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;
class ExportJob;
class FileListPane;
class CurrentResultsPane;
class AllResultsPane;
class PlotView;
class QtListener;
class QtNotifier;
class WindowState;

// The frame: tool bar, status bar, the three docked panes around the plot view, the menus. Every
// menu entry calls a core command or opens a dialog that does; the frame only keeps the widgets
// in step with the listener's notifications.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(const std::string& configDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& GetSession() { return *m_session; }
    PlotView* View() const { return m_view; }
    FileListPane* FileList() const { return m_fileList; }
    CurrentResultsPane* CurrentResults() const { return m_currentResults; }
    AllResultsPane* AllResults() const { return m_allResults; }
    QtNotifier* GetNotifier() const { return m_notifier; }
    // The action of a menu entry by its object name ("actionOpen", "actionZoomIn", …).
    QAction* Action(const QString& name) const;

    // The open sequence over chosen paths (also the command-line argument and recent files).
    void OpenPaths(const QStringList& paths);
    // File > Close All: asks first when edits would be lost; false when the user kept them.
    bool CloseAll();
    WindowState& State() { return *m_state; }
    // The export run that follows the dialog's OK, on a worker over a copy of the document: the
    // window stays usable, its progress shows files done of the files expected, Cancel stops it at
    // the next file. Returns at once.
    void StartExport();
    bool ExportRunning() const { return m_export != nullptr; }

  signals:
    void exportFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreatePanes();
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateViewMenu();
    void CreateAnalysisMenu();
    void CreateIndicatorsMenu();
    void CreateExportAndHelpMenus();
    void CreateToolBar();
    QAction* AddAction(QMenu* menu, const QString& name, const QString& text, std::function<void()> run,
                       std::function<bool()> checked = nullptr, const QKeySequence& key = {});
    void UpdateActionStates();
    void UpdateRecentMenu();
    void RememberRecent(const QStringList& paths);
    void OpenChosenFiles(const QStringList& paths, bool planningChosen);
    // Planning files become a measurement folder beside them (after the user agreed), then open.
    void ImportPlanningFiles(const QStringList& paths);
    void ShowLoaded(const std::vector<std::string>& files, qint64 elapsedMs);
    void CreateLanguageMenu(QMenu* menu);
    void OnDrop(const QStringList& paths);
    // The warnings of the work just ended, in one box that does not wait for the user.
    void ShowWarnings(const QString& work);
    void Print(bool preview);
    void SaveScreenshot();
    void ShowExportProgress();
    void EndExport();

    QtNotifier* m_notifier;
    QtListener* m_listener;
    std::unique_ptr<Session> m_session;
    PlotView* m_view = nullptr;
    FileListPane* m_fileList = nullptr;
    CurrentResultsPane* m_currentResults = nullptr;
    AllResultsPane* m_allResults = nullptr;
    QDockWidget* m_fileDock = nullptr;
    QDockWidget* m_currentDock = nullptr;
    QDockWidget* m_allDock = nullptr;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_recentFoldersMenu = nullptr;
    std::unique_ptr<WindowState> m_state;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancelExport = nullptr;
    QTimer* m_progressTimer = nullptr;
    std::shared_ptr<ExportJob> m_export;
    std::vector<std::pair<QAction*, std::function<bool()>>> m_checkable;
};
