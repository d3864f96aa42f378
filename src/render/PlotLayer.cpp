#include "render/PlotLayer.h"

#include <QPainter>

#include "render/PlotLegend.h"
#include "render/PlotRenderer.h"

void PlotLayer::Rebuild(QSize size, double pixelRatio, const CQuadrelDoc& doc, const PlotState& state,
                        Notifier* notifier) {
    const PlotScene scene = BuildPlotScene(doc, state, notifier);
    m_curves = QImage((size * pixelRatio).expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_curves.setDevicePixelRatio(pixelRatio);
    QPainter painter(&m_curves);
    m_labelBoxes = RenderPlotCurves(painter, size, FrameFor(scene, state), scene, state.colors, state.zoom);
    painter.end();
    m_size = size;
    m_mapping = SceneMapping(scene, size, state.zoom);
    m_markers = scene.markers;
    m_legend = scene.legend;
    m_legendShown = state.legend;
    m_valid = true;
}

bool PlotLayer::ValidFor(QSize size, double pixelRatio) const {
    return m_valid && size == m_size && m_curves.devicePixelRatio() == pixelRatio;
}

void PlotLayer::Paint(QPainter& painter) const {
    painter.drawImage(QPoint(0, 0), m_curves);
    RenderPlotMarkers(painter, m_mapping, m_markers, m_labelBoxes);
    if (m_legendShown) DrawPlotLegend(painter, m_size, m_legend);
}
