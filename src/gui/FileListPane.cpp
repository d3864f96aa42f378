#include "gui/FileListPane.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <algorithm>
#include <set>

#include "app/TextUtil.h"
#include "commands/FileCommands.h"
#include "commands/StartUp.h"
#include "gui/Language.h"
#include "gui/TextTableModel.h"

FileListPane::FileListPane(Session& session, QWidget* parent)
    : QTreeView(parent), m_session(session),
      m_model(new TextTableModel({Tr("File Name"), Tr("File Path")}, this)) {
    setObjectName("fileList");
    setModel(m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Drops land on the viewport; it must take them itself.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    header()->setStretchLastSection(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_marking) OnClick();
    });
}

int FileListPane::RowCount() const {
    return m_model->rowCount();
}

QString FileListPane::Text(int row, int column) const {
    return QString::fromStdString(m_model->Cell(row, column));
}

std::vector<int> FileListPane::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FileListPane::Rebuild() {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(m_session.Doc().table.size());
    for (const auto& [key, file] : m_session.Doc().table) rows.push_back({LastPathComponent(key), key});
    m_marking = true;
    m_model->SetRows(std::move(rows));
    // Only the rows in sight are measured, whatever the length of the list.
    resizeColumnToContents(0);
    m_marking = false;
}

void FileListPane::OnClick() {
    std::vector<std::string> rows;
    for (int row : SelectedRows()) rows.push_back(m_model->Cell(row, 1));
    MarkSelection(ClickFileRows(m_session, rows));
}

void FileListPane::MarkSelection(const std::vector<std::string>& keys) {
    const std::set<std::string> selected(keys.begin(), keys.end());
    // One range per run of rows: a range per row makes selecting all of a large antenna quadratic.
    QItemSelection added;
    const int last = m_model->columnCount() - 1;
    for (int row = 0; row < m_model->rowCount();) {
        if (!selected.count(m_model->Cell(row, 1))) {
            ++row;
            continue;
        }
        const int first = row;
        while (row < m_model->rowCount() && selected.count(m_model->Cell(row, 1))) ++row;
        added.select(m_model->index(first, 0), m_model->index(row - 1, last));
    }
    m_marking = true;
    selectionModel()->select(added, QItemSelectionModel::Select);
    m_marking = false;
}

void FileListPane::DeleteSelected() {
    std::vector<std::string> keys;
    for (int row : SelectedRows()) keys.push_back(m_model->Cell(row, 1));
    if (keys.empty()) return;
    RemoveFilesCommand(m_session, keys);
}

void FileListPane::SelectAllRows() {
    m_marking = true;
    selectAll();
    m_marking = false;
    OnClick();
}

void FileListPane::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction("Delete", this, &FileListPane::DeleteSelected);
    menu.addAction("SelectAll", this, &FileListPane::SelectAllRows);
    menu.exec(event->globalPos());
}

void FileListPane::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FileListPane::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void FileListPane::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    if (!paths.isEmpty()) emit filesDropped(paths);
}
