#pragma once
#include <QImage>
#include <QRectF>
#include <QSize>
#include <vector>

#include "plot/PlotScene.h"

class QPainter;
class CQuadrelDoc;
class Notifier;

// The plot as the view paints it: the curves drawn once into an image that is redrawn only when
// the curves or the view change, and the markers and the legend drawn over that image on every
// paint. With thousands of cuts selected a mouse move then costs one image copy, not a redraw.
class PlotLayer {
  public:
    // Draws the curve image for a client area of `size` pixels at `pixelRatio` device pixels each.
    void Rebuild(QSize size, double pixelRatio, const CQuadrelDoc& doc, const PlotState& state,
                 Notifier* notifier);
    void Invalidate() { m_valid = false; }
    // False after Invalidate and before the first Rebuild, or when the view's size has changed.
    bool ValidFor(QSize size, double pixelRatio) const;
    // The curve image, the markers and the legend.
    void Paint(QPainter& painter) const;

  private:
    QImage m_curves;
    QSize m_size;
    PlotMapping m_mapping;
    std::vector<QRectF> m_labelBoxes; // the markers' names keep clear of them
    std::vector<SceneMarker> m_markers;
    std::vector<SceneLegendEntry> m_legend;
    bool m_legendShown = false;
    bool m_valid = false;
};
