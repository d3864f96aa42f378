#include "gui/ExportSummaryDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// As many as a glance takes in; the rest are behind "Details…".
constexpr int kFirstProblems = 5;
constexpr int kProblemWidth = 560;

QTableWidget* CountsTable(const ExportSummary& summary) {
    const QStringList columns{"Files", "Written", "Skipped", "Failed"};
    auto* table = new QTableWidget(static_cast<int>(summary.kinds.size()), columns.size());
    table->setObjectName("summaryCounts");
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table->rowCount(); ++row) {
        const ExportKindCounts& k = summary.kinds[static_cast<size_t>(row)];
        const QString cells[] = {QString::fromStdString(k.kind), QString::number(k.written),
                                 QString::number(k.skipped), QString::number(k.failed)};
        for (int column = 0; column < columns.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    const int rowsShown = std::min(table->rowCount(), 8);
    table->setFixedHeight(table->horizontalHeader()->height() +
                          rowsShown * table->verticalHeader()->defaultSectionSize() +
                          2 * table->frameWidth());
    return table;
}

QString FirstProblems(const ExportSummary& summary, const QFontMetrics& metrics) {
    QStringList lines;
    for (size_t i = 0; i < summary.problems.size() && i < kFirstProblems; ++i)
        lines << metrics.elidedText(QString::fromStdString(summary.problems[i]), Qt::ElideMiddle,
                                    kProblemWidth);
    if (summary.problems.size() > kFirstProblems)
        lines << QString("… and %1 more").arg(summary.problems.size() - kFirstProblems);
    return lines.join('\n');
}
} // namespace

ExportSummaryDialog::ExportSummaryDialog(const ExportSummary& summary, QWidget* parent) : QDialog(parent) {
    setObjectName("exportSummary");
    setWindowTitle("Export Summary");
    auto* layout = new QVBoxLayout(this);
    auto* headline = new QLabel(QString::fromStdString(summary.headline));
    headline->setObjectName("summaryHeadline");
    headline->setWordWrap(true);
    layout->addWidget(headline);
    if (!summary.kinds.empty()) layout->addWidget(CountsTable(summary));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    if (!summary.problems.empty()) {
        auto* first = new QLabel(FirstProblems(summary, fontMetrics()));
        first->setObjectName("summaryFirstProblems");
        first->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(first);
        const QString all = QString::fromStdString(ExportProblemText(summary));
        m_details = new QPlainTextEdit(all);
        m_details->setObjectName("summaryDetails");
        m_details->setReadOnly(true);
        m_details->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_details->hide();
        layout->addWidget(m_details, 1);
        auto* details = buttons->addButton("Details…", QDialogButtonBox::ActionRole);
        details->setObjectName("summaryDetailsButton");
        connect(details, &QPushButton::clicked, this, &ExportSummaryDialog::ToggleDetails);
        auto* copy = buttons->addButton("Copy", QDialogButtonBox::ActionRole);
        copy->setObjectName("summaryCopyButton");
        connect(copy, &QPushButton::clicked, this, [all] { QApplication::clipboard()->setText(all); });
    }
    layout->addWidget(buttons);
    // Sized to its contents before it is first shown: a size taken before that is a placeholder,
    // and a dialog given it opens too small to read.
    setMinimumWidth(360);
    adjustSize();
    FitScreen();
}

void ExportSummaryDialog::ToggleDetails() {
    m_details->setVisible(!m_details->isVisible());
    adjustSize();
    FitScreen();
}

void ExportSummaryDialog::FitScreen() {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown) return;
    // The frame and title bar take their share too; the list scrolls inside what is left.
    const QRect room = shown->availableGeometry().adjusted(40, 60, -40, -40);
    setMaximumSize(room.size());
    if (m_details) m_details->setMaximumHeight(room.height() / 2);
    resize(size().boundedTo(room.size()));
    if (!room.contains(geometry())) move(room.topLeft());
}

void ShowExportSummary(QWidget* parent, const ExportSummary& summary) {
    if (summary.headline.empty()) return;
    auto* dialog = new ExportSummaryDialog(summary, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
    dialog->show();
}
