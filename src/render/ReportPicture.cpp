#include "render/ReportPicture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>

#include "plot/PlotFrame.h"
#include "plot/PlotScene.h"
#include "render/PlotLegend.h"
#include "render/PlotRenderer.h"

namespace {
constexpr int kMargin = 8;         // white pixels kept around the plot and between plot and legend
constexpr double kLargest = 3.0;   // at most this many times the view's size
constexpr double kSmallest = 0.25; // and at least this part of it
} // namespace

QRect InkBounds(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

namespace {

// Where the plot is drawn and what of it is kept: the frame decides (the cuts lie inside it), so
// the layout is found once for a frame and reused for every picture of a run.
struct PlotLayout {
    QSize size;
    QRect crop;
};

std::string LayoutKey(QSize viewSize, QSize room, const PlotFrame& frame, const PlotScene& scene) {
    std::string key = std::to_string(viewSize.width()) + "x" + std::to_string(viewSize.height()) + ":" +
                      std::to_string(room.width()) + "x" + std::to_string(room.height()) + ":" +
                      std::to_string(scene.coordinateSystem);
    for (const FrameLabel& label : frame.labels)
        key += "|" + label.text + "@" + std::to_string(label.anchor.x) + "," + std::to_string(label.anchor.y);
    for (const FrameShape& shape : frame.shapes)
        key += "|" + std::to_string(shape.from.x) + "," + std::to_string(shape.to.y) + "," +
               std::to_string(shape.radius);
    return key;
}

PlotLayout FindLayout(QSize viewSize, QSize room, const PlotFrame& frame, const PlotScene& scene,
                      const PlotState& state) {
    thread_local std::string lastKey;
    thread_local PlotLayout last;
    const std::string key = LayoutKey(viewSize, room, frame, scene);
    if (key == lastKey) return last;
    PlotScene bare;
    bare.coordinateSystem = scene.coordinateSystem;
    bare.block = scene.block;
    auto inkOf = [&](QSize size) {
        QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        QPainter painter(&image);
        RenderPlot(painter, image.size(), frame, bare, state.colors, state.zoom);
        painter.end();
        const QRect ink = InkBounds(image);
        return ink.isEmpty() ? image.rect()
                             : ink.adjusted(-kMargin, -kMargin, kMargin, kMargin) & image.rect();
    };
    PlotLayout layout{viewSize, inkOf(viewSize)};
    // The plot is drawn at the size that fills what the legend leaves of the width (and of the
    // height), so the legend's strokes and names keep their pixels.
    if (room.width() > 0 && layout.crop.width() > 0 && layout.crop.height() > 0) {
        double fill = static_cast<double>(room.width()) / layout.crop.width();
        // The margins kept around the ink do not grow with the plot.
        if (room.height() > 2 * kMargin && layout.crop.height() > 2 * kMargin)
            fill = std::min(fill, static_cast<double>(room.height() - 2 * kMargin) /
                                      (layout.crop.height() - 2 * kMargin));
        const double factor = std::clamp(fill, kSmallest, kLargest);
        if (std::abs(factor - 1.0) > 0.02) {
            layout.size = QSize(static_cast<int>(viewSize.width() * factor),
                                static_cast<int>(viewSize.height() * factor));
            layout.crop = inkOf(layout.size);
        }
    }
    lastKey = key;
    last = layout;
    return layout;
}

} // namespace

QImage ReportPicture(QSize viewSize, QSize largest, const CQuadrelDoc& doc, const PlotState& state,
                     Notifier* notifier) {
    const int width = largest.width();
    const PlotScene scene = BuildPlotScene(doc, state, notifier);
    const PlotFrame frame =
        BuildFrame(scene.coordinateSystem, scene.block, state.colors, state.settings.reference3dB != 0);
    const bool beside = scene.coordinateSystem != kCartesianSystem;
    const QSize legend = LegendSize(scene.legend);
    const int heightRoom = largest.height() <= 0 ? 0
                           : beside              ? largest.height()
                                    : largest.height() - (legend.isEmpty() ? 0 : legend.height() + kMargin);
    const QSize room(beside ? width - legend.width() - kMargin : width,
                     largest.height() <= 0 ? 0 : std::max(heightRoom, 1));
    const PlotLayout layout = FindLayout(viewSize, room, frame, scene, state);
    QImage full(layout.size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    {
        QPainter painter(&full);
        RenderPlot(painter, full.size(), frame, scene, state.colors, state.zoom);
    }
    const QImage plot = full.copy(layout.crop);
    const QSize whole = beside ? QSize(plot.width() + (legend.isEmpty() ? 0 : kMargin + legend.width()),
                                       std::max(plot.height(), legend.height()))
                               : QSize(std::max(plot.width(), legend.width()),
                                       plot.height() + (legend.isEmpty() ? 0 : kMargin + legend.height()));
    QImage picture(whole, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, plot);
    if (!legend.isEmpty()) {
        const QPoint at = beside ? QPoint(plot.width() + kMargin, (whole.height() - legend.height()) / 2)
                                 : QPoint(kMargin, plot.height() + kMargin);
        DrawLegend(painter, at, scene.legend);
    }
    painter.end();
    const QSize bound(width, largest.height() > 0 ? largest.height() : picture.height());
    if (picture.width() <= bound.width() && picture.height() <= bound.height()) return picture;
    return picture.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
