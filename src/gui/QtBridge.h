#pragma once
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include "app/Notifier.h"

class QWidget;

// Core's notifications as Qt signals. The export runs on a worker thread; signals emitted there
// reach the window through queued connections, so every widget is touched on the GUI thread only.
class QtListener : public QObject, public DocumentListener {
    Q_OBJECT
  public:
    void UpdateReadoutLine() override { emit readoutLineChanged(); }
    void RefreshFileList() override { emit fileListChanged(); }
    void RefreshCurrentResults() override { emit currentResultsChanged(); }
    void RefreshAllResults() override { emit allResultsChanged(); }
    void CloseNotice() override { emit closeNotice(); }
    void ShowPanes() override { emit showPanes(); }
    void RedrawView() override { emit viewChanged(); }

  signals:
    void readoutLineChanged();
    void fileListChanged();
    void currentResultsChanged();
    void allResultsChanged();
    void closeNotice();
    void showPanes();
    void viewChanged();
};

// Message boxes through QMessageBox (waited for, also when the message comes from the export's
// worker thread); status texts as a signal.
class QtNotifier : public QObject, public Notifier {
    Q_OBJECT
  public:
    explicit QtNotifier(QWidget* parent);
    void Notify(const std::string& text, const std::string& caption) override;
    void Status(const std::string& text) override;
    // Kept (from any thread) until the window shows them together once the work has ended: a
    // campaign may give one per file, and a box for each would bury the window.
    void Warning(const std::string& subject, const std::string& text) override;
    // "SUBJECT: TEXT" of every warning since the last call.
    QStringList TakeWarnings();

  signals:
    void statusText(const QString& text);
    void messageShown(const QString& caption, const QString& text);

  private:
    void ShowBox(const QString& text, const QString& caption);
    QWidget* m_parent;
    QMutex m_warningsLock;
    QStringList m_warnings;
};
