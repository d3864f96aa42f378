#pragma once
#include <QString>

class QWidget;
class PlotView;
class Notifier;
struct Session;

// The folder screenshots go to now (see ScreenshotFolderFor), from the document and the stored choice.
QString CurrentScreenshotFolder(const Session& session);
// Screenshot Path's OK: a folder that does not exist is refused with a message (false); an existing
// one is used from now on and remembered for the next run.
bool ChooseScreenshotFolder(QWidget* parent, Session& session, const QString& folder);
// File > Save ScreenShot: the view (and in "Include Results" mode the `results` pane beside it)
// into a bitmap in the screenshot folder. Returns the path written, or empty after reporting why
// nothing was written.
QString SaveViewScreenshot(QWidget* window, const PlotView* view, QWidget* results, Session& session,
                           Notifier* notifier);
