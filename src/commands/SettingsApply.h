#pragma once
#include "analysis/HorizontalSetup.h"
#include "analysis/VerticalSetup.h"

class CQuadrelDoc;

// The setup dialogs' buttons applied to the document: what the analysis layer computed is stored
// and taken into use, the refusal (if any) is shown, and an accepted OK analyses the shown files
// again. The commands in SettingsCommands add the undo record and the redraw.

// Stops at the first invalid entry, the entries before it stored and in use.
HSetupStep AcceptHSetup(CQuadrelDoc& doc, const HSetupForm& form);
VSetupStep AcceptVSetup(CQuadrelDoc& doc, const VSetupForm& form);
void AcceptRadiationSetup(CQuadrelDoc& doc, const RadiationForm& form);
// "Defaults" apply at once (Cancel does not undo them); returns what the dialog shows.
HSetupForm ApplyHSetupDefaults(CQuadrelDoc& doc);
VSetupForm ApplyVSetupDefaults(CQuadrelDoc& doc);

// Start-up: the analysis settings as the configuration store gives them.
void LoadAnalysisSettings(CQuadrelDoc& doc);
