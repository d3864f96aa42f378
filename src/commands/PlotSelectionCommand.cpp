#include "commands/PlotSelectionCommand.h"

#include "commands/Analysis.h"
#include "commands/StartUp.h"
#include "plot/PlotMarkers.h"

void SelectForPlotCommand(Session& session, const std::vector<std::string>& keys) {
    CQuadrelDoc& doc = session.Doc();
    std::vector<std::string> added;
    for (const std::string& key : keys) doc.AddToSelection(key, added);
    AnalyseSelection(doc);
    RebuildMarkerList(doc, session.plot.markerSwitches, session.plot.markers);
}
