#include "gui/FileListPane.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <set>

#include "app/TextUtil.h"
#include "commands/FileCommands.h"
#include "commands/StartUp.h"

FileListPane::FileListPane(Session& session, QWidget* parent) : QTreeWidget(parent), m_session(session) {
    setObjectName("fileList");
    setColumnCount(2);
    setHeaderLabels({"File Name", "File Path"});
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Drops land on the viewport; it must take them itself.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!m_marking) OnClick();
    });
}

void FileListPane::Rebuild() {
    m_marking = true;
    clear();
    for (const auto& [key, file] : m_session.Doc().table) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, QString::fromStdString(LastPathComponent(key)));
        item->setText(1, QString::fromStdString(key));
    }
    resizeColumnToContents(0);
    m_marking = false;
}

void FileListPane::OnClick() {
    // Rows in list order, whatever order the user picked them in.
    std::vector<std::string> rows;
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->isSelected()) rows.push_back(topLevelItem(i)->text(1).toStdString());
    MarkSelection(ClickFileRows(m_session, rows));
}

void FileListPane::MarkSelection(const std::vector<std::string>& keys) {
    const std::set<std::string> selected(keys.begin(), keys.end());
    m_marking = true;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (selected.count(item->text(1).toStdString()) && !item->isSelected()) item->setSelected(true);
    }
    m_marking = false;
}

void FileListPane::DeleteSelected() {
    std::vector<std::string> keys;
    for (QTreeWidgetItem* item : selectedItems()) keys.push_back(item->text(1).toStdString());
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
