#pragma once
#include <string>

class CQuadrelDoc;

// The selection file: a plain INI file with the sections "VParameter", "HParameter" and
// "RParameter", every flag as "TRUE" or "FALSE". Both operations then store the indicator values
// under "ID_MENU" and tell the user. An empty path (a cancelled dialog) does nothing and returns
// false. Saving returns false, and says so instead of "Save ConfigFile OK!", when the file could
// not be written.
bool SaveSelectionFile(CQuadrelDoc& doc, const std::string& path);
// A flag is on exactly when its value is "TRUE" (case-sensitive); a missing file, section or key
// switches it off.
bool LoadSelectionFile(CQuadrelDoc& doc, const std::string& path);

// "TRUE"/"FALSE" under "ID_MENU" for every indicator flag with a configuration key and the SPR
// display switch: what a selection-file load or save stores.
void StoreIndicatorMenuValues(CQuadrelDoc& doc);
// Every key of the "ID_MENU" group, the display switches and the four selection toggles included:
// what the program stores when the view shuts down.
void StoreAllMenuValues(CQuadrelDoc& doc);
// Start-up: every "ID_MENU" key becomes on exactly when its stored value is "TRUE", so an unreadable
// configuration deselects everything.
void RestoreMenuValues(CQuadrelDoc& doc);

// A toggle command of an indicator flag: flips the flag and asks both result panes to rebuild.
// False (nothing changed) for a command that toggles no indicator.
bool ToggleIndicator(CQuadrelDoc& doc, int commandId);
// What follows every change of the selection flags: Current Results, then All Results.
void RebuildResultPanes(const CQuadrelDoc& doc);
