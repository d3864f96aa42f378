#pragma once

class QMenu;
class QWidget;
class PlotView;

// The View menu's commands on the plot itself (legend, zoom steps) and the shortcuts of the plot's
// display commands. `owner` holds the actions, so they are found by object name like the others.
void AddPlotViewActions(QWidget* owner, QMenu* menu, PlotView* view);
