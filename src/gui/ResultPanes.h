#pragma once
#include <QListWidget>

struct Session;
class PlotView;

// "Current Results": the selected files' lines, the view's readout last (the line that follows
// the mouse).
class CurrentResultsPane : public QListWidget {
    Q_OBJECT
  public:
    CurrentResultsPane(Session& session, const PlotView& view, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {300, 420}; }

  public slots:
    void Rebuild();
    void UpdateReadoutLine();

  private:
    Session& m_session;
    const PlotView& m_view;
};
