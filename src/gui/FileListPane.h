#pragma once
#include <QTreeView>
#include <string>
#include <vector>

struct Session;
class TextTableModel;

// The "File Lists" pane: one row per loaded file in table order ("File Name", "File Path"). A click
// hands the selected rows to the click command and marks the partners it added; Delete, Select all
// and drops of files and folders go to their commands. A view over a model, so that a campaign of
// thousands of cuts loads and selects without a widget per row.
class FileListPane : public QTreeView {
    Q_OBJECT
  public:
    FileListPane(Session& session, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {340, 420}; }
    int RowCount() const;
    // The row's file name (column 0) or document key (column 1).
    QString Text(int row, int column) const;
    // The rows shown selected, in list order.
    std::vector<int> SelectedRows() const;

  public slots:
    void Rebuild();
    void DeleteSelected();
    void SelectAllRows();

  signals:
    void filesDropped(const QStringList& paths);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void OnClick();
    void MarkSelection(const std::vector<std::string>& keys);

    Session& m_session;
    TextTableModel* m_model;
    bool m_marking = false;
};
