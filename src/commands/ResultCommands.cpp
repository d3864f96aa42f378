#include "commands/ResultCommands.h"

#include "commands/StartUp.h"
#include "results/IndicatorLines.h"
#include "results/ResultPanes.h"

void KeepShownGainBlanking(CQuadrelDoc& doc, const std::vector<std::string>& shownPaths) {
    for (const std::string& path : shownPaths)
        if (PatternFile* file = doc.Find(path); file && HidesGainDependents(doc, *file))
            HideGainDependents(file->results);
}

std::vector<std::string> CurrentResultLinesCommand(Session& session,
                                                   const std::optional<std::string>& readout) {
    std::vector<std::string> lines = BuildCurrentResultLines(session.Doc(), readout);
    // The exports have always read the results as the pane last showed them.
    if (!lines.empty()) KeepShownGainBlanking(session.Doc(), session.Doc().selectionList);
    return lines;
}

std::vector<std::vector<std::string>> AllResultRowsCommand(Session& session) {
    std::vector<std::vector<std::string>> rows = BuildAllResultRows(session.Doc());
    // As above: every selected cut has a column.
    KeepShownGainBlanking(session.Doc(), session.Doc().selectionList);
    return rows;
}
