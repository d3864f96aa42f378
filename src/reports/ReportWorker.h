#pragma once
#include <memory>
#include <thread>

#include "export/ReportLauncher.h"

class Notifier;
struct ReportJob;

// The report worker: screenshots first (report/RelBmps for either format, report/SetBmps for
// format 1), then format 1 and format 2, with the status texts and log lines of each step. Returns
// 0 when every requested report was written, -1 otherwise (the reason was reported); "Data Export
// Success！" is shown only on 0. Needs a QGuiApplication (text rendering).
int RunReportWorker(ReportJob& job, Notifier& notifier);

// Starts the worker the way the command line wants it: on the calling thread, to completion.
class BlockingReportLauncher : public ReportLauncher {
  public:
    bool Start(const CQuadrelDoc& doc, const ExportState& state, bool format1, bool format2,
               Notifier& notifier) override;
};

// Starts the worker on a thread of its own with a snapshot, as the desktop wants it; the notifier
// must accept calls from that thread. The thread is joined when the launcher is destroyed or
// started again.
class ThreadedReportLauncher : public ReportLauncher {
  public:
    ~ThreadedReportLauncher() override;
    bool Start(const CQuadrelDoc& doc, const ExportState& state, bool format1, bool format2,
               Notifier& notifier) override;

  private:
    std::thread m_thread;
};
