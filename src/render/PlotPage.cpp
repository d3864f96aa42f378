#include "render/PlotPage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "document/QuadrelDoc.h"
#include "render/PlotRenderer.h"

namespace {
constexpr double kMarginShare = 0.05; // of the page's shorter side, on every side
constexpr double kTitleShare = 0.03;  // title height, of the page's shorter side
constexpr size_t kTitledCuts = 4;     // cut names spelled out before "and N more"

std::string NameWithoutExtension(const std::string& fileName) {
    return fileName.substr(0, fileName.rfind('.'));
}
} // namespace

std::string PlotPageTitle(const CQuadrelDoc& doc, const std::string& date) {
    std::string antenna;
    std::vector<std::string> cuts;
    for (const std::string& key : doc.selectionList) {
        const PatternFile* file = doc.Find(key);
        if (!file) continue;
        if (antenna.empty()) antenna = file->names[kFieldModel];
        cuts.push_back(NameWithoutExtension(file->fileName));
    }
    std::string names;
    for (size_t i = 0; i < std::min(cuts.size(), kTitledCuts); ++i) names += (i ? ", " : "") + cuts[i];
    if (cuts.size() > kTitledCuts) names += " and " + std::to_string(cuts.size() - kTitledCuts) + " more";
    std::string title;
    for (const std::string& part : {antenna, names, date})
        if (!part.empty()) title += (title.empty() ? "" : "  —  ") + part;
    return title;
}

QRect PaintPlotPage(QPainter& painter, QRect page, QSize viewSize, const CQuadrelDoc& doc,
                    const PlotState& state, const std::string& title, Notifier* notifier) {
    const int shorter = std::min(page.width(), page.height());
    const int margin = static_cast<int>(shorter * kMarginShare);
    const QRect inside = page.adjusted(margin, margin, -margin, -margin);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(shorter * kTitleShare)));
    const int titleHeight = QFontMetrics(font, painter.device()).height();
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(inside.left(), inside.top(), inside.width(), titleHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetrics(font, painter.device())
                         .elidedText(QString::fromStdString(title), Qt::ElideRight, inside.width()));
    painter.restore();

    const QRect area = inside.adjusted(0, 2 * titleHeight, 0, 0);
    const QSize view = viewSize.expandedTo(QSize(1, 1));
    const double scale = std::min(static_cast<double>(area.width()) / view.width(),
                                  static_cast<double>(area.height()) / view.height());
    const QSize placed(static_cast<int>(view.width() * scale), static_cast<int>(view.height() * scale));
    const QPoint at(area.left() + (area.width() - placed.width()) / 2, area.top());
    painter.save();
    painter.translate(at);
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), view));
    RenderPlot(painter, view, doc, state, notifier);
    painter.restore();
    return {at, placed};
}
