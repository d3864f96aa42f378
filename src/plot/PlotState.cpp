#include "plot/PlotState.h"

#include "analysis/AnalysisDriver.h"
#include "document/QuadrelDoc.h"

std::string ColorSettingsPath(const CQuadrelDoc& doc) {
    return doc.programFolder + "ColorSetting.ini";
}

PlotState LoadPlotState(const CQuadrelDoc& doc) {
    auto read = [&doc](std::string_view section, std::string_view key) {
        return doc.ReadConfig(section, key);
    };
    PlotState state;
    state.settings = LoadDrawSettings(read);
    state.colors = ReadColorSettings(ColorSettingsPath(doc));
    state.markerSwitches = LoadMarkerSwitches(read);
    return state;
}

void PreparePlotSelection(CQuadrelDoc& doc, PlotState& state) {
    // A copy: the analysis of one file never changes the list, but the loop must not depend on it.
    const std::vector<std::string> selected = doc.selectionList;
    for (const std::string& key : selected) AnalyseFile(doc, key);
    RebuildMarkerList(doc, state.markerSwitches, state.markers);
}

PlotMapping ViewMapping(const PlotState& state, int width, int height) {
    const PlotSettingsBlock block = ApplyDrawSettings(state.settings);
    return ApplyZoom(MappingFor(state.settings.coordinateSystem, width, height, block), state.zoom);
}
