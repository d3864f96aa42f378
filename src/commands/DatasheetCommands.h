#pragma once
#include <string>

#include "commands/StartUp.h"
#include "conformance/Conformance.h"

// Datasheet limits in the desktop: chosen once per antenna model and remembered in the
// configuration folder ("DatasheetLimits.ini", one key per model), kept in the export state so
// that the reports and the result workbook of a later export carry the conformance parts.

// The model of the loaded antenna (the third token of its test folder); empty when none is loaded.
std::string LoadedModel(const CQuadrelDoc& doc);

// The limits file last chosen for the loaded model; empty when none.
std::string RememberedLimitsFile(const Session& session);

// Reads the limits file; when it is accepted it becomes the session's limits and is remembered for
// the loaded model. A refusal leaves the session's limits as they were.
LimitsParse LoadDatasheetLimitsCommand(Session& session, const std::string& path);

// The conformance of the whole table against the session's limits: every file is analysed as the
// export analyses it, then checked. An empty result when no limits are loaded.
ConformanceResult CheckDatasheetCommand(Session& session);
