#include "gui/WindowState.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

WindowState::WindowState(const QString& configDir)
    : m_settings(QDir(configDir).filePath("Window.ini"), QSettings::IniFormat) {}

QStringList WindowState::WithRecent(QStringList recent, const QStringList& paths) {
    for (const QString& path : paths) {
        const QString clean = QDir::cleanPath(path);
        recent.removeAll(clean);
        recent.prepend(clean);
    }
    while (recent.size() > kMaxRecent) recent.removeLast();
    return recent;
}

void WindowState::RememberOpened(const QStringList& paths) {
    QStringList folders, files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists()) continue;
        (info.isDir() ? folders : files) << path;
    }
    if (!folders.isEmpty()) m_settings.setValue("recent/folders", WithRecent(RecentFolders(), folders));
    if (!files.isEmpty()) m_settings.setValue("recent/files", WithRecent(RecentFiles(), files));
}

QString WindowState::LastFolder(const QString& dialog) const {
    return m_settings.value("folders/" + dialog).toString();
}

void WindowState::SetLastFolder(const QString& dialog, const QString& folder) {
    if (!folder.isEmpty()) m_settings.setValue("folders/" + dialog, folder);
}

QString WindowState::Language() const {
    return m_settings.value("language", "en").toString();
}

void WindowState::SetLanguage(const QString& code) {
    m_settings.setValue("language", code);
    m_settings.sync();
}

void WindowState::SaveLayout(const QMainWindow& window) {
    m_settings.setValue("window/geometry", window.saveGeometry());
    m_settings.setValue("window/state", window.saveState());
    m_settings.sync();
}

bool WindowState::RestoreLayout(QMainWindow& window) const {
    const QByteArray geometry = m_settings.value("window/geometry").toByteArray();
    const QByteArray state = m_settings.value("window/state").toByteArray();
    if (geometry.isEmpty() && state.isEmpty()) return false;
    if (!geometry.isEmpty()) window.restoreGeometry(geometry);
    if (!state.isEmpty()) window.restoreState(state);
    return true;
}
