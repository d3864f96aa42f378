#pragma once
#include "plot/PlotScene.h"

class CQuadrelDoc;

// The plot state the report pictures are drawn with, as the view starts with it: draw settings and
// marker switches from the store, colours from the configuration folder's ColorSetting.ini.
// (The report's own small equivalent of the core plot-state function; one of them is enough once
// both are in the same tree.)
PlotState LoadReportPlotState(const CQuadrelDoc& doc);

// After the selection changed: analyses every selected file and rebuilds the marker list.
void PrepareReportSelection(CQuadrelDoc& doc, PlotState& state);
