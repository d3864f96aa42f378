#pragma once
#include <string>
#include <utility>
#include <vector>

#include "analysis/HorizontalSetup.h"
#include "analysis/VerticalSetup.h"
#include "document/IndicatorSelection.h"
#include "export/ExportDriver.h"

struct Session;

// The OK of every settings dialog and the export run. The analysis settings recompute the shown
// files and rebuild both panes (1138, 1139); the commands here add the redraw of the view.

HSetupStep HSetupOk(Session& session, const HSetupForm& form);
VSetupStep VSetupOk(Session& session, const VSetupForm& form);
void RadiationOk(Session& session, const RadiationForm& form);

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

// The export dialog's OK and the run that follows it (status texts through the notifier).
bool ExportDialogOk(Session& session, const std::string& workingFolder, const DataExportOptions& options,
                    const PatternInfoConfig& patternInfo);
ExportRunResult RunExportCommand(Session& session);
