#pragma once
#include <QTableView>

struct Session;
class TextTableModel;

// "All Results": one column per selected file, the fixed rows of the results table. A view over a
// model: with every cut of a large antenna selected only the columns in sight are drawn.
class AllResultsPane : public QTableView {
    Q_OBJECT
  public:
    explicit AllResultsPane(Session& session, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {800, 170}; }
    const TextTableModel& Model() const { return *m_model; }

  public slots:
    void Rebuild();

  private:
    Session& m_session;
    TextTableModel* m_model;
};
