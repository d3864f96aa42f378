#pragma once
#include "plot/DrawSettings.h"
#include "plot/PlotColors.h"
#include "plot/PlotMarkers.h"
#include "plot/PlotZoom.h"

class CQuadrelDoc;

// What the view holds besides the document: draw settings, colours, markers. The view, the
// screenshot command, `quadrel-cli plot` and the report pictures all draw from one of these.
struct PlotState {
    DrawSettings settings;
    PlotColors colors;
    MarkerSwitches markerSwitches;
    MarkerList markers;
    std::optional<ZoomViewport> zoom; // set while the view is zoomed, until Reset View
    bool legend = false;              // the cuts named on the plot (the desktop view starts with it on)
};

// The plot state as the view starts with it: the draw settings and display switches from the
// store, the colours from ColorSetting.ini of the configuration folder, the marker switches.
PlotState LoadPlotState(const CQuadrelDoc& doc);

// The mapping the view draws a client area of W x H pixels with (the zoom applied).
PlotMapping ViewMapping(const PlotState& state, int width, int height);

// The colour file of the document's configuration folder.
std::string ColorSettingsPath(const CQuadrelDoc& doc);
