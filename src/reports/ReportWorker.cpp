#include "reports/ReportWorker.h"

#include "app/Log.h"
#include "app/Notifier.h"
#include "document/ProgramTexts.h"
#include "reports/ReportJob.h"
#include "reports/ReportScreenshots.h"
#include "reports/ReportTexts.h"

int RunReportWorker(ReportJob& job, Notifier& notifier) {
    MakeFolder(RelBmpsFolder(job.state));
    if (job.format1 || job.format2) {
        notifier.Status(kStatusPatternScreenshots);
        TakePatternScreenshots(job);
    }
    if (job.format1) {
        notifier.Status(kStatusSetScreenshots);
        MakeFolder(SetBmpsFolder(job.state));
        TakeSetScreenshots(job);
    }
    bool complete = true;
    if (job.format1) {
        notifier.Status(kStatusFormat1);
        Log("%s", kStatusFormat1);
        const int result = BuildReportFormat1(job, notifier);
        if (result == -1) return -1;
        complete = result == 0;
    }
    if (job.format2) {
        notifier.Status(kStatusFormat2);
        Log("%s", kStatusFormat2);
        complete = BuildReportFormat2(job, notifier) == 0 && complete;
    }
    // A report that could not be written is never announced as a success.
    if (!complete) return -1;
    notifier.Status(kTextReportSuccess);
    Log("%s", kTextReportSuccess);
    notifier.Notify(kTextReportSuccess, kCaptionApplication);
    return 0;
}

bool BlockingReportLauncher::Start(const CQuadrelDoc& doc, const ExportState& state, bool format1,
                                   bool format2, Notifier& notifier) {
    std::unique_ptr<ReportJob> job = MakeReportJob(doc, state, format1, format2);
    return RunReportWorker(*job, notifier) == 0;
}
