#include "gui/AllResultsPane.h"

#include <QHeaderView>
#include <algorithm>

#include "commands/ResultCommands.h"
#include "commands/StartUp.h"
#include "gui/TextTableModel.h"
#include "results/ResultPanes.h"

namespace {
// Up to this many columns each is fitted to its texts; beyond, measuring every column would cost
// more than the whole pane, and one width, the widest of these, serves them all.
constexpr int kColumnsFitted = 200;
} // namespace

AllResultsPane::AllResultsPane(Session& session, QWidget* parent)
    : QTableView(parent), m_session(session), m_model(new TextTableModel({}, this)) {
    setObjectName("allResults");
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void AllResultsPane::Rebuild() {
    m_model->SetRows(AllResultRowsCommand(m_session));
    const int columns = m_model->columnCount();
    if (columns <= kColumnsFitted) {
        resizeColumnsToContents();
        return;
    }
    int widest = 0;
    for (int row = 0; row < m_model->rowCount(); ++row)
        for (int column = 0; column < kColumnsFitted; ++column)
            widest = std::max(
                widest, fontMetrics().horizontalAdvance(QString::fromStdString(m_model->Cell(row, column))));
    horizontalHeader()->setDefaultSectionSize(widest + 12);
}
