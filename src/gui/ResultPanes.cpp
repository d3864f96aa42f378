#include "gui/ResultPanes.h"

#include "commands/StartUp.h"
#include "gui/PlotView.h"
#include "results/ResultPanes.h"

CurrentResultsPane::CurrentResultsPane(Session& session, const PlotView& view, QWidget* parent)
    : QListWidget(parent), m_session(session), m_view(view) {
    setObjectName("currentResults");
}

void CurrentResultsPane::Rebuild() {
    clear();
    for (const std::string& line :
         BuildCurrentResultLines(m_session.Doc(), m_view.ReadoutText().toStdString()))
        addItem(QString::fromStdString(line));
}

void CurrentResultsPane::UpdateReadoutLine() {
    // Only a pane that shows results ends with the readout line.
    if (count() == 0) return;
    item(count() - 1)->setText(m_view.ReadoutText());
    setCurrentRow(count() - 1);
}
