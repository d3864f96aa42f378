#pragma once
#include <QRect>
#include <QSize>
#include <string>

class QPainter;
class CQuadrelDoc;
class Notifier;
struct PlotState;

// The title a printed plot carries: the antenna, the cuts shown (the first few and how many more)
// and the date.
std::string PlotPageTitle(const CQuadrelDoc& doc, const std::string& date);

// Paints the view's picture onto a printed page whose paintable area is `page` (device units):
// the title at the top, below it the plot exactly as a view of `viewSize` pixels shows it (legend
// included), scaled as a whole to fit inside the margins and centred. Returns where the plot went.
QRect PaintPlotPage(QPainter& painter, QRect page, QSize viewSize, const CQuadrelDoc& doc,
                    const PlotState& state, const std::string& title, Notifier* notifier = nullptr);
