#include "gui/PlotView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "commands/EditCommands.h"
#include "commands/StartUp.h"
#include "commands/ViewCommands.h"
#include "render/PlotRenderer.h"

PlotView::PlotView(Session& session, Notifier* notifier, QWidget* parent)
    : QWidget(parent), m_session(session), m_notifier(notifier) {
    setObjectName("plotView");
    setMouseTracking(true);
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus); // Space held down pans
    // With several cuts on screen the names are what tells the curves apart; View > Legend hides it.
    ShowLegendCommand(m_session, true);
}

void PlotView::SetLegendShown(bool shown) {
    ShowLegendCommand(m_session, shown);
    InvalidateCurves();
    emit modesChanged();
}

bool PlotView::LegendShown() const {
    return m_session.plot.legend;
}

bool PlotView::Zoomed() const {
    return m_session.plot.zoom.has_value();
}

void PlotView::ToggleZoomMode() {
    m_zoomMode = !m_zoomMode;
    UpdateCursor();
    emit modesChanged();
}

void PlotView::ToggleDragMode() {
    m_dragMode = !m_dragMode;
    UpdateCursor();
    emit modesChanged();
}

void PlotView::ToggleTrackingLines() {
    m_tracking = !m_tracking;
    update();
    emit modesChanged();
}

void PlotView::ResetView() {
    m_zoomMode = false;
    m_zoomHistory.clear();
    ResetViewCommand(m_session);
    UpdateCursor();
    InvalidateCurves();
    emit modesChanged();
}

namespace {
constexpr double kZoomStep = 1.25; // one wheel notch
} // namespace

void PlotView::ShowZoom(const std::optional<ZoomViewport>& zoom) {
    ShowZoomCommand(m_session, zoom);
    InvalidateCurves();
    emit modesChanged();
}

void PlotView::PushZoom(const std::optional<ZoomViewport>& zoom) {
    if (!zoom) return;
    m_zoomHistory.push_back(m_session.plot.zoom);
    ShowZoom(zoom);
}

void PlotView::ZoomInStep() {
    PushZoom(ZoomAbout(ViewMapping(m_session.plot, width(), height()), width() / 2, height() / 2, kZoomStep));
}

void PlotView::ZoomOutStep() {
    if (m_zoomHistory.empty()) return;
    const std::optional<ZoomViewport> previous = m_zoomHistory.back();
    m_zoomHistory.pop_back();
    ShowZoom(previous);
}

void PlotView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    const QPoint at = event->position().toPoint();
    PushZoom(ZoomAbout(ViewMapping(m_session.plot, width(), height()), at.x(), at.y(),
                       std::pow(kZoomStep, notches)));
    event->accept();
}

void PlotView::InvalidateCurves() {
    m_layer.Invalidate();
    update();
}

void PlotView::UpdateCursor() {
    setCursor(m_dragMode ? Qt::SizeAllCursor : m_zoomMode ? Qt::CrossCursor : Qt::ArrowCursor);
}

void PlotView::paintEvent(QPaintEvent*) {
    // Only a paint asked for by a readout move may reuse the layer: anything else (a newly exposed
    // window, a change the document made without saying so) draws the curves again.
    const double ratio = devicePixelRatioF();
    if (!m_overlayOnly || !m_layer.ValidFor(size(), ratio))
        m_layer.Rebuild(size(), ratio, m_session.Doc(), m_session.plot, m_notifier);
    m_overlayOnly = false;
    QPainter painter(this);
    m_layer.Paint(painter);
    PaintOverlay(painter);
}

void PlotView::PaintOverlay(QPainter& painter) {
    // The rubber band while a zoom rectangle is drawn, the tracking figure otherwise.
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_zoomMode && m_leftDown) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_press, m_mouse).normalized());
    } else if (m_tracking && !Zoomed() && rect().contains(m_mouse)) {
        painter.setPen(QPen(QColor(90, 90, 90), 1, Qt::DotLine));
        const PlotMapping mapping = ViewMapping(m_session.plot, width(), height());
        if (m_session.plot.settings.coordinateSystem == kPolarSystem) {
            const QPointF centre(mapping.ToDeviceX(0), mapping.ToDeviceY(0));
            const QPointF d = QPointF(m_mouse) - centre;
            const double r = std::hypot(d.x(), d.y());
            painter.drawEllipse(centre, r, r);
        } else {
            painter.drawLine(0, m_mouse.y(), m_mouse.x(), m_mouse.y());
            painter.drawLine(m_mouse.x(), 0, m_mouse.x(), m_mouse.y());
        }
    }
}

void PlotView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) m_spaceDown = true;
    QWidget::keyPressEvent(event);
}

void PlotView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) m_spaceDown = false;
    QWidget::keyReleaseEvent(event);
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    // The middle button pans, and so does the left one while Space is held.
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && m_spaceDown)) {
        // A pan is one zoom step: Zoom Out brings the view back from where it was dragged.
        m_panning = true;
        m_panFrom = event->position().toPoint();
        m_zoomHistory.push_back(m_session.plot.zoom);
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    m_leftDown = true;
    m_press = m_mouse = event->position().toPoint();
    if (m_dragMode) {
        DragPressCommand(m_session);
        m_dragging = false;
    }
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    m_mouse = event->position().toPoint();
    if (m_panning) {
        const QPoint by = m_mouse - m_panFrom;
        m_panFrom = m_mouse;
        ShowZoom(PanBy(ViewMapping(m_session.plot, width(), height()), by.x(), by.y()));
        return;
    }
    const PlotMapping mapping = ViewMapping(m_session.plot, width(), height());
    if (mapping.viewportExtX == 0 || mapping.viewportExtY == 0) return;
    const PlotSettingsBlock block = ApplyDrawSettings(m_session.plot.settings);
    const ViewReadout readout =
        ReadoutAt(m_session.plot.settings.coordinateSystem, mapping, block, m_mouse.x(), m_mouse.y());
    if (readout.inside) m_readout = QString::fromStdString(::ReadoutText(readout.value));

    if (m_dragMode && (event->buttons() & Qt::LeftButton)) {
        if (!m_dragging) {
            m_dragging = true;
        } else {
            DragMoveCommand(m_session, readout.value.level - m_previousLevel);
            m_layer.Invalidate();
        }
        m_previousLevel = readout.value.level;
    } else {
        m_dragging = false;
    }
    m_overlayOnly = true;
    update();
    m_session.Doc().GetListener().UpdateReadoutLine();
    emit readoutChanged();
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_panning && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
        m_panning = false;
        UpdateCursor();
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    m_leftDown = false;
    const QPoint release = event->position().toPoint();
    // Pattern Drag stays on for the next drag until it is switched off.
    if (m_dragMode) {
        m_dragging = false;
        DragReleaseCommand(m_session);
    }
    if (m_zoomMode) {
        m_zoomMode = false;
        const std::optional<ZoomViewport> before = m_session.plot.zoom;
        if (ZoomCommand(m_session, m_press.x(), m_press.y(), release.x(), release.y(), width(), height()))
            m_zoomHistory.push_back(before);
    }
    UpdateCursor();
    InvalidateCurves();
    emit modesChanged();
}
