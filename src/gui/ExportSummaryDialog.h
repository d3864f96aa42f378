#pragma once
#include <QDialog>

#include "commands/ExportSummary.h"

class QPlainTextEdit;

// The one account of an export: the headline, files written, skipped and failed per kind, the
// first problems, and every problem in a "Details…" list that scrolls and can be copied. It never
// grows past the screen, however many problems there are, and does not block the window.
class ExportSummaryDialog : public QDialog {
    Q_OBJECT
  public:
    ExportSummaryDialog(const ExportSummary& summary, QWidget* parent = nullptr);

  private:
    void ToggleDetails();
    void FitScreen();

    QPlainTextEdit* m_details = nullptr;
};

// Shows the summary of a run that got past its checks (a refused run has said why already).
void ShowExportSummary(QWidget* parent, const ExportSummary& summary);
