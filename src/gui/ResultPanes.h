#pragma once
#include <QListWidget>

struct Session;
class PlotView;

// "Current Results": the selected files' lines, the view's readout last (the line that follows
// the mouse). A selection whose results are not listed here (more than a cut and its partner) gets
// a line saying why, and its readout names the selected cut nearest the mouse.
class CurrentResultsPane : public QListWidget {
    Q_OBJECT
  public:
    CurrentResultsPane(Session& session, const PlotView& view, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {300, 420}; }

  public slots:
    void Rebuild();
    void UpdateReadoutLine();

  private:
    QString ReadoutLine() const;
    Session& m_session;
    const PlotView& m_view;
    bool m_namesNearest = false;
};
