#pragma once

class QWidget;
class PlotView;
struct Session;

// Every dialog of the program. Each shows the entries core gives it, hands them back on OK and lets
// core validate, store and apply them; true when the dialog was accepted.

// Analysis settings.
bool RunHSetupDialog(QWidget* parent, Session& session);
bool RunVSetupDialog(QWidget* parent, Session& session);
bool RunRadiationDialog(QWidget* parent, Session& session);
bool RunEnvelopeDialog(QWidget* parent, Session& session);
bool RunIndicatorListDialog(QWidget* parent, Session& session, bool vertical);
bool RunNamingDialog(QWidget* parent, Session& session);

// Pattern operations.
bool RunRotationDialog(QWidget* parent, Session& session, bool inData);
bool RunLevelDialog(QWidget* parent, Session& session);

// View settings.
bool RunDrawSettingDialog(QWidget* parent, Session& session);
bool RunColorDialog(QWidget* parent, Session& session);
bool RunScreenshotSettingDialog(QWidget* parent, Session& session);
bool RunScreenshotPathDialog(QWidget* parent, Session& session);
bool RunSaveAsDialog(QWidget* parent, Session& session);

// Export, and the frame's own.
bool RunExportDialog(QWidget* parent, Session& session);
bool RunXmlConfigDialog(QWidget* parent, Session& session);
void RunAboutDialog(QWidget* parent);
