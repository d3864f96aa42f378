#pragma once
#include <string>

class CQuadrelDoc;

// The indicator selection and its stored values applied to the document.

// A selection file chosen in the file dialog; an empty path (cancelled) does nothing and returns
// false. Both store the indicator values under "ID_MENU" and tell the user; saving returns false
// when the file could not be written.
bool SaveSelectionFile(CQuadrelDoc& doc, const std::string& path);
bool LoadSelectionFile(CQuadrelDoc& doc, const std::string& path);
// Shutdown stores every "ID_MENU" value; start-up restores them.
void StoreAllMenuValues(CQuadrelDoc& doc);
void RestoreMenuValues(CQuadrelDoc& doc);
// Flips an indicator flag and asks both result panes to rebuild; false (nothing changed) for a
// command that toggles no indicator.
bool ToggleIndicator(CQuadrelDoc& doc, int commandId);
// The indicator-naming dialog's OK.
void StoreIndicatorNaming(CQuadrelDoc& doc, bool chinese);
