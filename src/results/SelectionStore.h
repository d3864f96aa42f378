#pragma once
#include <optional>
#include <string>

#include "app/ConfigStore.h"
#include "document/IndicatorSelection.h"
#include "document/QuadrelDoc.h"

// What a selection-file load or save changes: the selection flags, the indicator values stored
// under "ID_MENU" afterwards, and the message that tells the user (empty: none). `done` is false,
// and nothing is to change, for an empty path (a cancelled dialog).
struct SelectionFileChange {
    bool done = false;
    IndicatorSelection selection;
    ConfigWrites writes;
    std::string message;
};

// The selection file: a plain INI file with the sections "VParameter", "HParameter" and
// "RParameter", every flag as "TRUE" or "FALSE". Saving writes the file at once; `done` is then
// false, and the message says so instead of "Save ConfigFile OK!", when it could not be written.
SelectionFileChange SaveSelectionFileChange(const CQuadrelDoc& doc, const std::string& path);
// A flag is on exactly when its value is "TRUE" (case-sensitive); a missing file, section or key
// switches it off.
SelectionFileChange LoadSelectionFileChange(const CQuadrelDoc& doc, const std::string& path);

// "TRUE"/"FALSE" under "ID_MENU" for every indicator flag with a configuration key and the SPR
// display switch: what a selection-file load or save stores.
ConfigWrites IndicatorMenuWrites(const IndicatorSelection& selection);
// Every key of the "ID_MENU" group, the display switches and the four selection toggles included:
// what the program stores when the view shuts down.
ConfigWrites AllMenuWrites(const CQuadrelDoc& doc);

// Start-up: every "ID_MENU" key becomes on exactly when its stored value is "TRUE", so an unreadable
// configuration deselects everything.
struct MenuValues {
    IndicatorSelection selection;
    SelectionToggles toggles;
};
MenuValues StoredMenuValues(const CQuadrelDoc& doc);

// A toggle command of an indicator flag: the selection with that flag flipped; none for a command
// that toggles no indicator.
std::optional<IndicatorSelection> ToggledSelection(const CQuadrelDoc& doc, int commandId);
// What follows every change of the selection flags: Current Results, then All Results.
void RebuildResultPanes(const CQuadrelDoc& doc);
