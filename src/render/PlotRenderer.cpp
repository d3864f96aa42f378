#include "render/PlotRenderer.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "app/TextUtil.h"
#include "render/PlotLegend.h"

namespace {
constexpr int kLabelGap = 4;      // pixels between a label and what it names
constexpr int kPolarLabelGap = 7; // clears half of the thick outer circle
constexpr int kMarkerRadius = 5;  // pixels
const QColor kMarkerColor(0, 0, 0);
const Rgb kSectorOutline{90, 90, 90};
const QColor kSectorFill(0, 0, 0, 40);

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Pens are given in logical units like the program's pens were; they never get thinner than one
// pixel. Shapes are mapped to pixels before they are drawn and the pens are not cosmetic, so a
// caller that scales the painter (a printed page, its preview) scales lines with everything else.
QPen MakePen(Rgb color, int logicalWidth, double scale, PenStyle style = PenStyle::Solid) {
    const int pixels = std::max(1, static_cast<int>(std::lround(logicalWidth * scale)));
    QPen pen(ToQColor(color), pixels, style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QFont PlotFont(int pixelHeight) {
    QFont font(QString::fromUtf8(kPlotFontFace));
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Thin);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QPolygonF ToPixels(const PlotMapping& mapping, const std::vector<LogicalPoint>& points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const LogicalPoint& p : points)
        polygon.append(QPointF(mapping.ToDeviceX(p.x), mapping.ToDeviceY(p.y)));
    return polygon;
}

QPointF ToPixel(const PlotMapping& mapping, LogicalPoint p) {
    return {mapping.ToDeviceX(p.x), mapping.ToDeviceY(p.y)};
}

QRectF PlaceLabel(const FrameLabel& label, QPointF at, QSizeF size, int gap) {
    const double w = size.width(), h = size.height();
    switch (label.place) {
    case LabelPlace::Above:
        return {at.x() - w / 2, at.y() - gap - h, w, h};
    case LabelPlace::Below:
        return {at.x() - w / 2, at.y() + gap, w, h};
    case LabelPlace::Left:
        return {at.x() - gap - w, at.y() - h / 2, w, h};
    case LabelPlace::Right:
        return {at.x() + gap, at.y() - h / 2, w, h};
    case LabelPlace::AboveRight:
        // Beside a label centred on the same anchor ("0°" and the maximum level).
        return {at.x() + 4 * gap + h / 2, at.y() - gap - h, w, h};
    case LabelPlace::AboveLeft:
        return {at.x() - gap - w, at.y() - gap - h, w, h};
    case LabelPlace::BelowRight:
        return {at.x() + gap, at.y() + gap, w, h};
    case LabelPlace::Outward: {
        const double rad = label.direction * M_PI / 180.0;
        const double dx = std::sin(rad), dy = -std::cos(rad);
        const double reach = gap + 0.5 * (std::abs(dx) * w + std::abs(dy) * h);
        return {at.x() + dx * reach - w / 2, at.y() + dy * reach - h / 2, w, h};
    }
    }
    return {at, size};
}

std::vector<QRectF> DrawLabels(QPainter& painter, const PlotMapping& mapping,
                               const std::vector<FrameLabel>& labels, Rgb color, int gap,
                               const std::optional<QSizeF>& zoomedView) {
    painter.setPen(ToQColor(color));
    std::vector<QRectF> boxes = LabelBoxes(mapping, labels, gap);
    if (zoomedView) KeepLabelsInView(boxes, mapping, labels, *zoomedView);
    int currentHeight = -1;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].fontHeight != currentHeight) {
            painter.setFont(PlotFont(labels[i].fontHeight));
            currentHeight = labels[i].fontHeight;
        }
        // The unit names sit inside the plot where curves run: a white ground keeps them readable.
        if (labels[i].text.rfind("Unit:", 0) == 0) painter.fillRect(boxes[i], Qt::white);
        painter.drawText(boxes[i], Qt::AlignCenter, QString::fromStdString(labels[i].text));
    }
    return boxes;
}

void DrawMarkers(QPainter& painter, const PlotMapping& mapping, const std::vector<SceneMarker>& markers,
                 std::vector<QRectF> taken) {
    painter.setFont(PlotFont(14));
    const QFontMetricsF metrics(painter.font());
    for (const SceneMarker& marker : markers) {
        const QPointF at(mapping.ToDeviceX(marker.at.x), mapping.ToDeviceY(marker.at.y));
        painter.setPen(QPen(kMarkerColor, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
        painter.drawLine(at + QPointF(-kMarkerRadius - 3, 0), at + QPointF(kMarkerRadius + 3, 0));
        painter.drawLine(at + QPointF(0, -kMarkerRadius - 3), at + QPointF(0, kMarkerRadius + 3));
        const QString text = QString::fromStdString(marker.name + " " + FormatFixed(marker.value.fAngle, 1) +
                                                    "°, " + FormatFixed(marker.value.fMag, 2) + "dB");
        // Below right of the mark, or the first other corner clear of the axis labels and of the
        // marks' labels placed before.
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        const double reach = kMarkerRadius + 4;
        const QRectF corners[] = {
            {at + QPointF(reach, reach - 2), size},
            {at + QPointF(reach, -reach - size.height()), size},
            {at + QPointF(-reach - size.width(), reach - 2), size},
            {at + QPointF(-reach - size.width(), -reach - size.height()), size},
        };
        const QRectF* chosen = &corners[0];
        for (const QRectF& box : corners) {
            if (std::none_of(taken.begin(), taken.end(),
                             [&box](const QRectF& t) { return t.intersects(box); })) {
                chosen = &box;
                break;
            }
        }
        taken.push_back(*chosen);
        painter.drawText(*chosen, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}
} // namespace

std::vector<QRectF> LabelBoxes(const PlotMapping& mapping, const std::vector<FrameLabel>& labels, int gap) {
    std::vector<QRectF> placed;
    const double centre = mapping.ToDeviceY(0);
    for (const FrameLabel& label : labels) {
        const QString text = QString::fromStdString(label.text);
        const QFontMetrics metrics(PlotFont(label.fontHeight));
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        const QPointF at(mapping.ToDeviceX(label.anchor.x), mapping.ToDeviceY(label.anchor.y));
        QRectF box = PlaceLabel(label, at, size, gap);
        const double away = box.center().y() <= centre ? -1.0 : 1.0;
        auto covers = [&placed](const QRectF& r) {
            return std::any_of(placed.begin(), placed.end(),
                               [&r](const QRectF& p) { return p.intersects(r); });
        };
        for (int step = 0; step < 2 * size.height() && covers(box); ++step) box.translate(0, away);
        placed.push_back(box);
    }
    return placed;
}

void KeepLabelsInView(std::vector<QRectF>& boxes, const PlotMapping& mapping,
                      const std::vector<FrameLabel>& labels, QSizeF view) {
    const QPointF centre(mapping.ToDeviceX(0), mapping.ToDeviceY(0));
    for (size_t i = 0; i < boxes.size() && i < labels.size(); ++i) {
        QRectF& box = boxes[i];
        const double maxX = view.width() - box.width(), maxY = view.height() - box.height();
        switch (labels[i].place) {
        case LabelPlace::Above:
        case LabelPlace::Below:
            // A value along a horizontal axis: it stays on its grid line, at the edge it left by.
            box.moveTop(std::clamp(box.top(), 0.0, std::max(0.0, maxY)));
            break;
        case LabelPlace::Outward: {
            // An angle round the outer circle: brought in along its direction to where the ray from
            // the centre leaves the view, when that ray crosses the view at all.
            const double rad = labels[i].direction * M_PI / 180.0;
            const QPointF d(std::sin(rad), -std::cos(rad));
            const QPointF half(box.width() / 2, box.height() / 2);
            const QRectF inner(half.x(), half.y(), view.width() - box.width(), view.height() - box.height());
            if (inner.contains(box.center())) break;
            double enter = -1e18, leave = 1e18;
            const double lo[] = {inner.left(), inner.top()}, hi[] = {inner.right(), inner.bottom()};
            const double from[] = {centre.x(), centre.y()}, dir[] = {d.x(), d.y()};
            bool crosses = true;
            for (int k = 0; k < 2 && crosses; ++k) {
                if (std::abs(dir[k]) < 1e-12) {
                    crosses = from[k] >= lo[k] && from[k] <= hi[k];
                    continue;
                }
                const double a = (lo[k] - from[k]) / dir[k], b = (hi[k] - from[k]) / dir[k];
                enter = std::max(enter, std::min(a, b));
                leave = std::min(leave, std::max(a, b));
            }
            if (crosses && leave >= std::max(enter, 0.0)) box.moveCenter(centre + d * leave);
            break;
        }
        default:
            // A value along a vertical axis, or a title beside one.
            box.moveLeft(std::clamp(box.left(), 0.0, std::max(0.0, maxX)));
            break;
        }
    }
}

void InstallPlotFonts() {
    QFont::insertSubstitution(QString::fromUtf8(kPlotFontFace), QStringLiteral("Liberation Sans"));
}

PlotMapping SceneMapping(const PlotScene& scene, QSize size, const std::optional<ZoomViewport>& zoom) {
    return ApplyZoom(MappingFor(scene.coordinateSystem, size.width(), size.height(), scene.block), zoom);
}

std::vector<QRectF> RenderPlotCurves(QPainter& painter, QSize size, const PlotFrame& frame,
                                     const PlotScene& scene, const PlotColors& colors,
                                     const std::optional<ZoomViewport>& zoom) {
    InstallPlotFonts();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const PlotMapping mapping = SceneMapping(scene, size, zoom);
    const double scale = mapping.ScaleX();
    painter.setBrush(Qt::NoBrush);

    for (const FrameShape& shape : frame.shapes) {
        painter.setPen(MakePen(shape.color, shape.width, scale, shape.style));
        if (shape.IsCircle())
            painter.drawEllipse(ToPixel(mapping, {0, 0}), shape.radius * mapping.ScaleX(),
                                shape.radius * mapping.ScaleY());
        else
            painter.drawLine(ToPixel(mapping, shape.from), ToPixel(mapping, shape.to));
    }
    // The SPR sectors under the curves, filled translucent: the pattern inside stays readable.
    for (const SceneSector& sector : scene.sectors) {
        painter.setPen(MakePen(kSectorOutline, sector.width, scale));
        painter.setBrush(kSectorFill);
        painter.drawPolygon(ToPixels(mapping, sector.outline));
        painter.setBrush(Qt::NoBrush);
    }
    for (const ScenePolyline& line : scene.patterns) {
        painter.setPen(MakePen(line.color, line.width, scale));
        painter.drawPolyline(ToPixels(mapping, line.points));
    }
    for (const ScenePolyline& line : scene.envelopes) {
        painter.setPen(MakePen(line.color, line.width, scale));
        painter.drawPolyline(ToPixels(mapping, line.points));
    }

    const int gap = scene.coordinateSystem == kCartesianSystem ? kLabelGap : kPolarLabelGap;
    std::vector<QRectF> boxes = DrawLabels(painter, mapping, frame.labels, colors.coordinates, gap,
                                           zoom ? std::optional<QSizeF>(size) : std::nullopt);
    painter.restore();
    return boxes;
}

void RenderPlotMarkers(QPainter& painter, const PlotMapping& mapping, const std::vector<SceneMarker>& markers,
                       const std::vector<QRectF>& labelBoxes) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawMarkers(painter, mapping, markers, labelBoxes);
    painter.restore();
}

void RenderPlot(QPainter& painter, QSize size, const PlotFrame& frame, const PlotScene& scene,
                const PlotColors& colors, const std::optional<ZoomViewport>& zoom) {
    const std::vector<QRectF> labelBoxes = RenderPlotCurves(painter, size, frame, scene, colors, zoom);
    RenderPlotMarkers(painter, SceneMapping(scene, size, zoom), scene.markers, labelBoxes);
}

PlotFrame FrameFor(const PlotScene& scene, const PlotState& state) {
    return BuildFrame(scene.coordinateSystem, scene.block, state.colors, state.settings.reference3dB != 0);
}

void RenderPlot(QPainter& painter, QSize size, const CQuadrelDoc& doc, const PlotState& state,
                Notifier* notifier) {
    const PlotScene scene = BuildPlotScene(doc, state, notifier);
    RenderPlot(painter, size, FrameFor(scene, state), scene, state.colors, state.zoom);
    if (state.legend) DrawPlotLegend(painter, size, scene.legend);
}

QImage RenderPlotImage(QSize size, const CQuadrelDoc& doc, const PlotState& state, Notifier* notifier) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    RenderPlot(painter, image.size(), doc, state, notifier);
    painter.end();
    return image;
}
