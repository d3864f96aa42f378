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
