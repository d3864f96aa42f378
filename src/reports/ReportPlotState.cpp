#include "reports/ReportPlotState.h"

#include "analysis/AnalysisDriver.h"
#include "document/QuadrelDoc.h"

PlotState LoadReportPlotState(const CQuadrelDoc& doc) {
    auto read = [&doc](std::string_view section, std::string_view key) {
        return doc.ReadConfig(section, key);
    };
    PlotState state;
    state.settings = LoadDrawSettings(read);
    state.colors = ReadColorSettings(doc.programFolder + "ColorSetting.ini");
    state.markerSwitches = LoadMarkerSwitches(read);
    return state;
}

void PrepareReportSelection(CQuadrelDoc& doc, PlotState& state) {
    for (const std::string& key : doc.selectionList) AnalyseFile(doc, key);
    RebuildMarkerList(doc, state.markerSwitches, state.markers);
}
