#pragma once
#include <QTreeWidget>
#include <string>
#include <vector>

#include "conformance/Conformance.h"

class QMainWindow;
class QMenu;
class QtListener;
struct Session;

// The "Datasheet" pane: one row per group of the datasheet check (pass green, fail red, no data
// grey), sortable by any column, numbers by value. A click on a row selects and plots that group's
// cuts as a click on their file-list rows would.
class DatasheetPane : public QTreeWidget {
    Q_OBJECT
  public:
    explicit DatasheetPane(Session& session, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {640, 220}; }
    // The file dialog, opened at the limits last chosen for the loaded model (else the shipped
    // examples); the chosen file is loaded.
    void ChooseLimits();
    // Loads the limits and checks the table; a refusal is shown in a box. False when refused.
    bool LoadLimits(const QString& path);
    const ConformanceResult& Result() const { return m_result; }

  public slots:
    // Checks the table again (after files were opened or removed); nothing without limits.
    void Refresh();

  signals:
    // "Datasheet: PASS" or "Datasheet: FAIL (n of m groups fail)", for the status bar.
    void verdictChanged(const QString& text);

  private:
    void Fill();
    void OnRowClicked(QTreeWidgetItem* item);

    Session& m_session;
    ConformanceResult m_result;
};

// Adds the pane as the dock "Datasheet" (below the plot, beside "All Results"), the entry
// Analysis > Datasheet Limits… and the verdict in the status bar; the pane follows the file list.
DatasheetPane* InstallDatasheetPane(QMainWindow* window, Session& session, QMenu* analysisMenu,
                                    QtListener* listener);
