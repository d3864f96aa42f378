#pragma once
#include <optional>
#include <string>
#include <vector>

class CQuadrelDoc;
struct Session;

// The result panes as a refresh builds them. Showing them is an edit of its own: the results of a
// cut whose gain lines hide the dependents keep them hidden (see KeepShownGainBlanking).
std::vector<std::string> CurrentResultLinesCommand(Session& session,
                                                   const std::optional<std::string>& readout);
std::vector<std::vector<std::string>> AllResultRowsCommand(Session& session);

// Of the cuts in `shownPaths`, those whose panes hide directivity, losses, efficiency and GFR beside
// a missing gain get them NOT_SET in their results, until the analysis runs again.
void KeepShownGainBlanking(CQuadrelDoc& doc, const std::vector<std::string>& shownPaths);
