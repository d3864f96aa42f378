#pragma once
#include <QRect>
#include <QSize>
#include <vector>

#include "plot/PlotScene.h"

class QPainter;

// The legend of a plot: one line per cut shown, a stroke in the cut's colour and its name.
// Its size in pixels for `entries`, and the drawing at `topLeft`.
QSize LegendSize(const std::vector<SceneLegendEntry>& entries);
void DrawLegend(QPainter& painter, QPoint topLeft, const std::vector<SceneLegendEntry>& entries);

// The rows a legend of at most `maxRows` lines shows: the entries, or the first ones and a line
// counting the rest, so a whole antenna's cuts do not cover the plot.
std::vector<SceneLegendEntry> LegendRows(const std::vector<SceneLegendEntry>& entries, int maxRows);
// The legend of a plot of `size` pixels as the view, its prints and screenshots show it: in the
// top right corner, as many rows as fit.
void DrawPlotLegend(QPainter& painter, QSize size, const std::vector<SceneLegendEntry>& entries);
