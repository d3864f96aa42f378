#include "plot/PlotState.h"

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

PlotMapping ViewMapping(const PlotState& state, int width, int height) {
    const PlotSettingsBlock block = ApplyDrawSettings(state.settings);
    return ApplyZoom(MappingFor(state.settings.coordinateSystem, width, height, block), state.zoom);
}
