#pragma once
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "render/PlotLayer.h"

struct Session;
class Notifier;

// The plot in the middle of the window. Paints through the render library from the session's plot
// state and turns the mouse into core calls: the live readout, rubber-band zoom, pattern drag and
// tracking lines. No drawing rule lives here.
class PlotView : public QWidget {
    Q_OBJECT
  public:
    PlotView(Session& session, Notifier* notifier, QWidget* parent = nullptr);

    // The readout text the last "Current Results" line shows.
    const QString& ReadoutText() const { return m_readout; }

    bool ZoomMode() const { return m_zoomMode; }
    bool DragMode() const { return m_dragMode; }
    bool TrackingLines() const { return m_tracking; }
    bool Zoomed() const;
    bool LegendShown() const;

  public slots:
    void ToggleZoomMode();
    void ToggleDragMode();
    void ToggleTrackingLines();
    void ResetView();
    void SetLegendShown(bool shown);
    // One wheel notch in or out about the view's centre; Zoom Out goes back one zoom step.
    void ZoomInStep();
    void ZoomOutStep();
    // The curves or the view changed: the cached curve layer is drawn again at the next paint.
    void InvalidateCurves();

  signals:
    void readoutChanged();
    void modesChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    void UpdateCursor();
    void PaintOverlay(QPainter& painter);
    // Makes `zoom` the view's zoom, remembering the one it replaces for Zoom Out.
    void PushZoom(const std::optional<ZoomViewport>& zoom);
    void ShowZoom(const std::optional<ZoomViewport>& zoom);

    Session& m_session;
    Notifier* m_notifier;
    bool m_zoomMode = false;
    bool m_dragMode = false;
    bool m_dragging = false;
    bool m_tracking = false;
    bool m_leftDown = false;
    QPoint m_press;
    QPoint m_mouse;
    double m_previousLevel = 0;
    QString m_readout;
    PlotLayer m_layer;
    // The zooms replaced by each zoom step, oldest first. Kept in the view, not the document, so a
    // change of selection keeps it.
    std::vector<std::optional<ZoomViewport>> m_zoomHistory;
    bool m_panning = false;
    bool m_spaceDown = false;
    QPoint m_panFrom;
    // Set by a mouse move that changed nothing but the readout: the next paint reuses the layer.
    bool m_overlayOnly = false;
};
