#include "render/PlotLegend.h"

#include <QFontMetrics>
#include <QObject>
#include <QPainter>
#include <algorithm>

#include "plot/PlotFrame.h"

namespace {

constexpr int kStroke = 28; // pixels of the colour stroke
constexpr int kSpacing = 6; // between stroke and name, and around the legend
constexpr int kFontPixels = 13;
constexpr int kMargin = 8;   // between the legend and the plot's edge
constexpr int kMaxRows = 16; // a longer list hides the plot it explains

QFont LegendFont() {
    QFont font(QString::fromUtf8(kPlotFontFace));
    font.setPixelSize(kFontPixels);
    return font;
}

} // namespace

QSize LegendSize(const std::vector<SceneLegendEntry>& entries) {
    if (entries.empty()) return {0, 0};
    const QFontMetrics metrics(LegendFont());
    int widest = 0;
    for (const SceneLegendEntry& e : entries)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(e.name)));
    return {2 * kSpacing + kStroke + kSpacing + widest,
            2 * kSpacing + static_cast<int>(entries.size()) * metrics.lineSpacing()};
}

void DrawLegend(QPainter& painter, QPoint topLeft, const std::vector<SceneLegendEntry>& entries) {
    if (entries.empty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(LegendFont());
    const QFontMetrics metrics(painter.font());
    const QSize size = LegendSize(entries);
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(topLeft, size - QSize(1, 1)));
    int y = topLeft.y() + kSpacing;
    for (const SceneLegendEntry& e : entries) {
        const int middle = y + metrics.lineSpacing() / 2;
        painter.setPen(QPen(QColor(e.color.r, e.color.g, e.color.b), 2));
        if (e.stroke)
            painter.drawLine(topLeft.x() + kSpacing, middle, topLeft.x() + kSpacing + kStroke, middle);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(topLeft.x() + 2 * kSpacing + kStroke, y + metrics.ascent()),
                         QString::fromStdString(e.name));
        y += metrics.lineSpacing();
    }
    painter.restore();
}

std::vector<SceneLegendEntry> LegendRows(const std::vector<SceneLegendEntry>& entries, int maxRows) {
    if (maxRows <= 0) return {};
    if (static_cast<int>(entries.size()) <= maxRows) return entries;
    std::vector<SceneLegendEntry> rows(entries.begin(), entries.begin() + (maxRows - 1));
    const size_t rest = entries.size() - rows.size();
    rows.push_back({QObject::tr("… and %1 more").arg(rest).toStdString(), {}, false});
    return rows;
}

void DrawPlotLegend(QPainter& painter, QSize size, const std::vector<SceneLegendEntry>& entries) {
    const int lineSpacing = QFontMetrics(LegendFont()).lineSpacing();
    const int fitting = (size.height() - 2 * kMargin - 2 * kSpacing) / std::max(1, lineSpacing);
    const std::vector<SceneLegendEntry> rows = LegendRows(entries, std::min(kMaxRows, fitting));
    const QSize legend = LegendSize(rows);
    DrawLegend(painter, QPoint(size.width() - kMargin - legend.width(), kMargin), rows);
}
