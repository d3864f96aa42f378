#pragma once
#include <memory>

#include "export/ReportLauncher.h"

class Notifier;
struct ReportJob;

// The report worker: screenshots first (report/RelBmps for either format, report/SetBmps for
// format 1), then format 1 and format 2, with the status texts and log lines of each step. Returns
// 0 when every requested report was written, -1 otherwise (the reason was reported); "Data Export
// Success！" is shown only on 0. Needs a QGuiApplication (text rendering).
int RunReportWorker(ReportJob& job, Notifier& notifier);

// Starts the worker on the calling thread, to completion: the command line's thread, or the
// desktop export's worker, which already runs off the window's thread.
class BlockingReportLauncher : public ReportLauncher {
  public:
    bool Start(const CQuadrelDoc& doc, const ExportState& state, bool format1, bool format2,
               Notifier& notifier) override;
};
