#include "gui/DatasheetPane.h"

#include <QAction>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>

#include "app/TextUtil.h"
#include "commands/DatasheetCommands.h"
#include "commands/FileCommands.h"
#include "gui/QtBridge.h"

namespace {

enum Column {
    kBand,
    kPort,
    kPol,
    kTilt,
    kIndicator,
    kN,
    kMin,
    kMean,
    kMax,
    kStd,
    kWorst,
    kBound,
    kMargin,
    kVerdict
};
constexpr int kGroupRole = Qt::UserRole + 1; // index into the result's groups
constexpr int kValueRole = Qt::UserRole + 2; // the number a column sorts by

// Sorts numeric columns by value (a group without data last when ascending), text columns as text.
class GroupItem : public QTreeWidgetItem {
  public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(column, kValueRole);
        const QVariant b = other.data(column, kValueRole);
        if (a.isValid() && b.isValid()) return a.toDouble() < b.toDouble();
        return text(column) < other.text(column);
    }
};

void SetNumber(QTreeWidgetItem* item, int column, float value) {
    if (value == NOT_SET) {
        item->setText(column, QStringLiteral("—"));
        item->setData(column, kValueRole, 1e30);
        return;
    }
    item->setText(column, QString::fromStdString(ConformanceNumber(value, "")));
    item->setData(column, kValueRole, static_cast<double>(value));
    item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

DatasheetPane::DatasheetPane(Session& session, QWidget* parent) : QTreeWidget(parent), m_session(session) {
    setObjectName("datasheetPane");
    setAccessibleName("Datasheet");
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHeaderLabels({"Band", "Port", "Pol", "Tilt", "Indicator", "n", "Min", "Mean", "Max", "Std", "Worst",
                     "Bound", "Margin", "Verdict"});
    setSortingEnabled(true);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OnRowClicked(item); });
}

void DatasheetPane::ChooseLimits() {
    QString start = QString::fromStdString(RememberedLimitsFile(m_session));
    if (start.isEmpty()) start = QString::fromStdString(m_session.Doc().configFolder) + "../limits";
    const QString path = QFileDialog::getOpenFileName(this, "Datasheet Limits", start,
                                                      "Datasheet limits (*.toml);;All files (*)");
    if (!path.isEmpty()) LoadLimits(path);
}

bool DatasheetPane::LoadLimits(const QString& path) {
    const LimitsParse parse = LoadDatasheetLimitsCommand(m_session, path.toStdString());
    if (!parse.limits) {
        QMessageBox::warning(this, "Datasheet Limits", QString::fromStdString(parse.error.Describe()));
        return false;
    }
    Refresh();
    return true;
}

void DatasheetPane::Refresh() {
    if (!m_session.exportState.limits) return;
    m_result = CheckDatasheetCommand(m_session);
    Fill();
    QString text = "Datasheet: " + QString::fromStdString(VerdictLine(m_result));
    for (const std::string& warning : m_result.warnings) text += "; " + QString::fromStdString(warning);
    emit verdictChanged(text);
}

void DatasheetPane::Fill() {
    const DatasheetLimits& limits = *m_session.exportState.limits;
    setSortingEnabled(false);
    clear();
    for (size_t i = 0; i < m_result.groups.size(); ++i) {
        const ConformanceGroup& g = m_result.groups[i];
        auto* item = new GroupItem(this);
        item->setData(0, kGroupRole, static_cast<int>(i));
        item->setText(kBand, QString::fromStdString(limits.bands[g.band].name));
        item->setData(kBand, kValueRole, static_cast<int>(g.band));
        item->setText(kPort, QString::fromStdString(g.port));
        item->setText(kPol, QString::fromStdString(g.pol));
        item->setText(kTilt, QString::fromStdString(g.tilt));
        item->setText(kIndicator, QString::fromStdString(g.indicator));
        item->setText(kN, QString::number(g.n));
        item->setData(kN, kValueRole, g.n);
        const float numbers[] = {g.min, g.mean, g.max, g.std, g.worst, g.bound, g.margin};
        for (int c = 0; c < 7; ++c) SetNumber(item, kMin + c, numbers[c]);
        item->setText(kVerdict, VerdictLabel(g.verdict));
        const QBrush fill(QColor("#" + QString(VerdictFill(g.verdict))));
        for (int c = 0; c <= kVerdict; ++c) item->setBackground(c, fill);
        item->setForeground(kVerdict, Qt::black);
    }
    setSortingEnabled(true);
    sortByColumn(sortColumn() < 0 ? kBand : sortColumn(), header()->sortIndicatorOrder());
    for (int c = 0; c <= kVerdict; ++c) resizeColumnToContents(c);
}

void DatasheetPane::OnRowClicked(QTreeWidgetItem* item) {
    const int index = item->data(0, kGroupRole).toInt();
    if (index < 0 || index >= static_cast<int>(m_result.groups.size())) return;
    const std::vector<std::string>& keys = m_result.groups[index].keys;
    if (!keys.empty()) ClickFileRows(m_session, keys);
}

DatasheetPane* InstallDatasheetPane(QMainWindow* window, Session& session, QMenu* analysisMenu,
                                    QtListener* listener) {
    auto* pane = new DatasheetPane(session);
    auto* dock = new QDockWidget("Datasheet", window);
    dock->setObjectName("datasheetDock");
    dock->setWidget(pane);
    window->addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide(); // shown once limits are chosen
    analysisMenu->addSeparator();
    auto* action = analysisMenu->addAction("Datasheet Limits…");
    action->setObjectName("actionDatasheetLimits");
    QObject::connect(action, &QAction::triggered, pane, &DatasheetPane::ChooseLimits);
    QObject::connect(pane, &DatasheetPane::verdictChanged, window, [window, dock](const QString& text) {
        dock->show();
        window->statusBar()->showMessage(text);
    });
    QObject::connect(listener, &QtListener::fileListChanged, pane, &DatasheetPane::Refresh);
    return pane;
}
