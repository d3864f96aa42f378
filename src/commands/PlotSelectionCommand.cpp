#include "commands/PlotSelectionCommand.h"

#include "commands/StartUp.h"

void SelectForPlotCommand(Session& session, const std::vector<std::string>& keys) {
    CQuadrelDoc& doc = session.Doc();
    std::vector<std::string> added;
    for (const std::string& key : keys) doc.AddToSelection(key, added);
    PreparePlotSelection(doc, session.plot);
}
