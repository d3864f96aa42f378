#include "gui/ViewScreenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QWidget>
#include <ctime>
#include <utility>

#include "commands/StartUp.h"
#include "commands/ViewCommands.h"
#include "gui/Language.h"
#include "gui/PlotView.h"
#include "plot/Screenshot.h"
#include "render/PlotCapture.h"

QString CurrentScreenshotFolder(const Session& session) {
    const CQuadrelDoc& doc = session.Doc();
    return QString::fromStdString(ScreenshotFolderFor(
        doc, doc.ReadConfig(kCaptureSection, kScreenshotFolderKey), QDir::currentPath().toStdString()));
}

bool ChooseScreenshotFolder(QWidget* parent, Session& session, const QString& folder) {
    if (folder.isEmpty() || !QDir(folder).exists()) {
        QMessageBox::warning(parent, Tr("Screenshot Path"), Tr("The folder %1 does not exist.").arg(folder));
        return false;
    }
    ScreenshotFolderOk(session, folder.toStdString());
    return true;
}

QString SaveViewScreenshot(QWidget* window, const PlotView* view, QWidget* results, Session& session,
                           Notifier* notifier) {
    const CQuadrelDoc& doc = std::as_const(session).Doc();
    const QString folder = CurrentScreenshotFolder(session);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string path = ScreenshotPath(folder.toStdString(), local);
    const QPoint viewLeft = view->mapTo(window, QPoint(0, 0));
    const QImage resultsImage = doc.captureMode == kCaptureIncludeResults && results && results->isVisible()
                                    ? results->grab().toImage()
                                    : QImage();
    if (!CaptureToFile(path, doc.captureMode, view->size(), doc, session.plot, notifier, viewLeft.x(),
                       window->width(), {}, resultsImage)) {
        const QString why = QDir(folder).exists()
                                ? Tr("The file %1 could not be written.").arg(QString::fromStdString(path))
                                : Tr("The folder %1 does not exist.").arg(folder);
        QMessageBox::warning(window, Tr("Save ScreenShot"), why);
        return {};
    }
    return QString::fromStdString(path);
}
