#pragma once
#include <QImage>
#include <QRectF>
#include <QSize>
#include <string>
#include <vector>

#include "plot/PlotFrame.h"
#include "plot/PlotScene.h"
#include "plot/PlotZoom.h"

class QPainter;
class CQuadrelDoc;
class Notifier;

// Maps the named face of the plot labels onto a font that is installed everywhere the program
// runs (Liberation Sans has the same metrics). Safe to call more than once.
void InstallPlotFonts();

// Where the frame's labels are drawn, in pixels: each placed by its anchor, and one that would cover
// a label placed before it moved away from the plot's centre line, pixel by pixel, until it is clear
// ("0dB" beside "0°" clears "30°" on a small polar plot).
std::vector<QRectF> LabelBoxes(const PlotMapping& mapping, const std::vector<FrameLabel>& labels, int gap);

// The mapping a scene is drawn with in a client area of `size` pixels.
PlotMapping SceneMapping(const PlotScene& scene, QSize size, const std::optional<ZoomViewport>& zoom);

// While the view is zoomed: labels whose grid line or direction is still on screen but whose place
// is not are brought to the edge of the `view`, so a zoomed plot keeps its values.
void KeepLabelsInView(std::vector<QRectF>& boxes, const PlotMapping& mapping,
                      const std::vector<FrameLabel>& labels, QSizeF view);

// Paints a client area of `size` pixels: background, frame, SPR sectors, patterns, envelopes and
// labels, everything that changes only with the curves or the view. Shapes are mapped to pixels and
// drawn with pens that scale, so a caller that scales the painter (a printed page) gets the view's
// picture scaled as a whole. The painter is restored afterwards. Returns where the labels went.
std::vector<QRectF> RenderPlotCurves(QPainter& painter, QSize size, const PlotFrame& frame,
                                     const PlotScene& scene, const PlotColors& colors,
                                     const std::optional<ZoomViewport>& zoom = std::nullopt);
// The markers, drawn over the curves, each named beside it clear of `labelBoxes` and of the
// names placed before.
void RenderPlotMarkers(QPainter& painter, const PlotMapping& mapping, const std::vector<SceneMarker>& markers,
                       const std::vector<QRectF>& labelBoxes = {});
// Both of the above.
void RenderPlot(QPainter& painter, QSize size, const PlotFrame& frame, const PlotScene& scene,
                const PlotColors& colors, const std::optional<ZoomViewport>& zoom = std::nullopt);
// The frame the state asks for around a scene.
PlotFrame FrameFor(const PlotScene& scene, const PlotState& state);
// The same from the document and the view state, with the legend when the state shows it.
void RenderPlot(QPainter& painter, QSize size, const CQuadrelDoc& doc, const PlotState& state,
                Notifier* notifier = nullptr);

// An image of the plot at `size` pixels.
QImage RenderPlotImage(QSize size, const CQuadrelDoc& doc, const PlotState& state,
                       Notifier* notifier = nullptr);
