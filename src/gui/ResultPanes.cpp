#include "gui/ResultPanes.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "commands/ResultCommands.h"
#include "commands/StartUp.h"
#include "gui/Language.h"
#include "gui/PlotView.h"
#include "plot/PlotScene.h"
#include "results/ResultPanes.h"

namespace {
double AngleApart(double a, double b) {
    const double apart = std::fmod(std::abs(a - b), 360.0);
    return std::min(apart, 360.0 - apart);
}

// The selected cut whose drawn level at the readout's angle lies nearest the readout's level.
QString NearestCut(const CQuadrelDoc& doc, bool relative, const QString& readout) {
    static const QRegularExpression number(R"((-?\d+(?:\.\d+)?)°[^-\d]*(-?\d+(?:\.\d+)?)dB)");
    const QRegularExpressionMatch match = number.match(readout);
    if (!match.hasMatch()) return {};
    const double angle = match.captured(1).toDouble(), level = match.captured(2).toDouble();
    QString nearest;
    double best = INFINITY;
    for (const std::string& path : doc.selectionList) {
        const PatternFile* file = doc.Find(path);
        if (!file) continue;
        // The sample nearest the angle, round the circle: cuts keep their angles in file order.
        const Cut& cut = DrawnSamples(*file);
        const auto sample = std::min_element(cut.begin(), cut.end(), [angle](const auto& a, const auto& b) {
            return AngleApart(a.fAngle, angle) < AngleApart(b.fAngle, angle);
        });
        if (sample == cut.end()) continue;
        const double at = sample->fMag;
        const double distance = std::abs(at - ReferenceLevel(doc, *file, relative, nullptr) - level);
        if (distance < best) {
            best = distance;
            nearest = QString::fromStdString(file->fileName);
        }
    }
    return nearest;
}
} // namespace

CurrentResultsPane::CurrentResultsPane(Session& session, const PlotView& view, QWidget* parent)
    : QListWidget(parent), m_session(session), m_view(view) {
    setObjectName("currentResults");
}

void CurrentResultsPane::Rebuild() {
    clear();
    const CQuadrelDoc& doc = m_session.Doc();
    const std::vector<std::string> lines =
        CurrentResultLinesCommand(m_session, m_view.ReadoutText().toStdString());
    m_namesNearest = lines.empty() && !doc.selectionList.empty();
    for (const std::string& line : lines) addItem(QString::fromStdString(line));
    if (!m_namesNearest) return;
    const int selected = static_cast<int>(doc.selectionList.size());
    // Short lines: the pane is narrow and does not wrap.
    addItem(Tr("%1 cuts are selected.").arg(selected));
    addItem(Tr("Indicators are listed here for one cut"));
    addItem(Tr("or a cut with its partner;"));
    addItem(Tr("All Results lists every selected cut."));
    addItem(QString());
    addItem("=====Mark Information=====");
    addItem(ReadoutLine());
}

QString CurrentResultsPane::ReadoutLine() const {
    const QString readout = m_view.ReadoutText();
    if (!m_namesNearest || readout.isEmpty()) return readout;
    const bool relative = m_session.plot.settings.relativeDisplay != 0;
    const QString nearest = NearestCut(m_session.Doc(), relative, readout);
    return nearest.isEmpty() ? readout : readout + nearest;
}

void CurrentResultsPane::UpdateReadoutLine() {
    // Only a pane that shows results ends with the readout line.
    if (count() == 0) return;
    item(count() - 1)->setText(ReadoutLine());
    setCurrentRow(count() - 1);
}
