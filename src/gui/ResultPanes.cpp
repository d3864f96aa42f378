#include "gui/ResultPanes.h"

#include <QHeaderView>

#include "commands/ResultCommands.h"
#include "commands/StartUp.h"
#include "gui/PlotView.h"

CurrentResultsPane::CurrentResultsPane(Session& session, const PlotView& view, QWidget* parent)
    : QListWidget(parent), m_session(session), m_view(view) {
    setObjectName("currentResults");
}

void CurrentResultsPane::Rebuild() {
    clear();
    for (const std::string& line :
         CurrentResultLinesCommand(m_session, m_view.ReadoutText().toStdString()))
        addItem(QString::fromStdString(line));
}

void CurrentResultsPane::UpdateReadoutLine() {
    // Only a pane that shows results ends with the readout line.
    if (count() == 0) return;
    item(count() - 1)->setText(m_view.ReadoutText());
    setCurrentRow(count() - 1);
}

AllResultsPane::AllResultsPane(Session& session, QWidget* parent) : QTableWidget(parent), m_session(session) {
    setObjectName("allResults");
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void AllResultsPane::Rebuild() {
    const std::vector<std::vector<std::string>> rows = AllResultRowsCommand(m_session);
    clear();
    setRowCount(static_cast<int>(rows.size()));
    setColumnCount(rows.empty() ? 0 : static_cast<int>(rows.front().size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            setItem(static_cast<int>(r), static_cast<int>(c),
                    new QTableWidgetItem(QString::fromStdString(rows[r][c])));
    resizeColumnsToContents();
}
