#pragma once
#include <QSettings>
#include <QString>
#include <QStringList>

class QMainWindow;

// What the window remembers between runs, in "Window.ini" inside the configuration folder (so a
// --config-dir run keeps its own): size, position, docks (closed panes included), the last
// folders of the file dialogs, the recent antennas and files, and the language of the next run.
class WindowState {
  public:
    explicit WindowState(const QString& configDir);

    static constexpr int kMaxRecent = 8;
    // Newest first, each path once, at most kMaxRecent.
    static QStringList WithRecent(QStringList recent, const QStringList& paths);

    QStringList RecentFiles() const { return Strings("recent/files"); }
    QStringList RecentFolders() const { return Strings("recent/folders"); }
    // Opened paths go to the recent folders or the recent files by what they are.
    void RememberOpened(const QStringList& paths);

    // The folder the named file dialog ("open", "import", …) starts in: where it was last left.
    QString LastFolder(const QString& dialog) const;
    void SetLastFolder(const QString& dialog, const QString& folder);

    // "en" unless another language was chosen; it takes effect on the next start.
    QString Language() const;
    void SetLanguage(const QString& code);

    void SaveLayout(const QMainWindow& window);
    // False when nothing was stored (the first run keeps the built-in layout).
    bool RestoreLayout(QMainWindow& window) const;

  private:
    QStringList Strings(const QString& key) const { return m_settings.value(key).toStringList(); }
    mutable QSettings m_settings;
};
