#pragma once
#include <QTreeWidget>

struct Session;

// The "File Lists" pane: one row per loaded file in table order ("File Name", "File Path"). A click
// hands the selected rows to the click command and marks the partners it added; Delete, Select all
// and drops of files and folders go to their commands.
class FileListPane : public QTreeWidget {
    Q_OBJECT
  public:
    FileListPane(Session& session, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {340, 420}; }

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
    bool m_marking = false;
};
