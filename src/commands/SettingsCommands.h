#pragma once
#include <string>
#include <utility>
#include <vector>

#include "analysis/HorizontalSetup.h"
#include "analysis/VerticalSetup.h"
#include "document/IndicatorSelection.h"
#include "export/ExportDriver.h"

struct Session;
class ReportLauncher;

// The OK of every settings dialog and the export run. The analysis settings recompute the shown
// files and rebuild both panes (1138, 1139); the commands here add the redraw of the view.

HSetupStep HSetupOk(Session& session, const HSetupForm& form);
VSetupStep VSetupOk(Session& session, const VSetupForm& form);
void RadiationOk(Session& session, const RadiationForm& form);
// The setup dialogs' "Defaults" buttons apply at once (Cancel keeps them), so each is an edit of
// its own under the dialog's name.
HSetupForm HSetupDefaults(Session& session);
VSetupForm VSetupDefaults(Session& session);

// An indicator toggle command (menu "Indicators"); false for a command that toggles no indicator.
bool ToggleIndicatorCommand(Session& session, int commandId);
// The list dialogs' OK: every listed flag takes its check box's value; both panes rebuild.
void SetIndicatorFlagsCommand(Session& session,
                              const std::vector<std::pair<const SelectionFlagInfo*, int32_t>>& values);
// The indicator-naming dialog's OK; both panes rebuild in the chosen language.
void NamingOk(Session& session, bool chinese);
// A selection file chosen in the file dialog (empty: cancelled).
bool LoadSelectionFileCommand(Session& session, const std::string& path);
bool SaveSelectionFileCommand(Session& session, const std::string& path);

// The envelope configuration dialog's OK. False (the dialog stays open) for an empty path, after
// "Configured path can not be empty！".
bool EnvelopeFolderOk(Session& session, const std::string& folder);

// "Save as" OK: every loaded pattern as Exact Data into `folder`. False (the dialog stays open) for
// an empty folder, after its message.
bool SaveAsOk(Session& session, const std::string& folder);
// "XML configuration" OK: a path that names no file is reported and kept all the same, as the
// dialog always kept it.
void XmlConfigOk(Session& session, const std::string& path);

// The export dialog's OK and the run that follows it (status texts through the notifier).
bool ExportDialogOk(Session& session, const std::string& workingFolder, const DataExportOptions& options,
                    const PatternInfoConfig& patternInfo);
// The word reports go through `reports` (the desktop's worker runs them after the files); without
// one they are reported as not written.
ExportRunResult RunExportCommand(Session& session, ReportLauncher* reports = nullptr);
