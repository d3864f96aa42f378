#pragma once
#include <QImage>
#include <QSize>

class CQuadrelDoc;
class Notifier;
struct PlotState;

// The picture of a plot for a report: the plot as the view of `viewSize` pixels draws it, cropped to
// what it draws, with the legend of the cuts shown beside it (polar: the plot is square) or below it
// (cartesian), rendered anew at a larger size when that fills `width` better, and never wider than
// `width` pixels.
QImage ReportPicture(QSize viewSize, int width, const CQuadrelDoc& doc, const PlotState& state,
                     Notifier* notifier = nullptr);

// The smallest rectangle holding every pixel of `image` that is not white; empty when none is.
QRect InkBounds(const QImage& image);
