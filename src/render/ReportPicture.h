#pragma once
#include <QImage>
#include <QSize>

class CQuadrelDoc;
class Notifier;
struct PlotState;

// The picture of a plot for a report: the plot as the view of `viewSize` pixels draws it, cropped to
// what it draws, with the legend of the cuts shown beside it (polar: the plot is square) or below it
// (cartesian), rendered anew at the size that fills `largest` best, and never wider than its width.
// A height of 0 leaves the height free.
QImage ReportPicture(QSize viewSize, QSize largest, const CQuadrelDoc& doc, const PlotState& state,
                     Notifier* notifier = nullptr);

// The smallest rectangle holding every pixel of `image` that is not white; empty when none is.
QRect InkBounds(const QImage& image);
