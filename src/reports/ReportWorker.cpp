#include "reports/ReportWorker.h"

#include "app/Log.h"
#include "app/Notifier.h"
#include "app/TextUtil.h"
#include "document/ProgramTexts.h"
#include "reports/PdfConversion.h"
#include "reports/ReportJob.h"
#include "reports/ReportScreenshots.h"
#include "reports/ReportTexts.h"

namespace {

// Each report of this run as PDF beside it; false when one was not written (the reason reported).
bool WritePdfs(const ReportJob& job, Notifier& notifier) {
    std::vector<std::string> reports;
    if (job.format1) reports.push_back(Format1OutputPath(job));
    if (job.format2) reports.push_back(Format2OutputPath(job));
    bool all = true;
    for (const std::string& report : reports) {
        notifier.Status(kStatusPdf);
        Log("%s%s", kStatusPdf, report.c_str());
        const PdfOutcome outcome = ConvertReportToPdf(report);
        if (outcome.written) continue;
        all = false;
        const std::string reason = outcome.error == kTextNoOfficeSuite
                                       ? outcome.error
                                       : "No PDF written of " + report + ": " + outcome.error;
        Log("%s%s", kLogPrefix, reason.c_str());
        notifier.Status(kStatusReportError);
        notifier.Notify(reason, kCaptionApplication);
        // Without the office suite the other report cannot be converted either.
        if (outcome.error == kTextNoOfficeSuite) break;
    }
    return all;
}

} // namespace

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
    if (!job.failedPictures.empty()) {
        std::string reason = kPictureNotWritten + job.failedPictures.front();
        if (job.failedPictures.size() > 1)
            reason += " and " + std::to_string(job.failedPictures.size() - 1) + " more";
        return ReportFailure(notifier, reason, -1);
    }
    // Whatever else lies in the picture folder stays out of the reports; what is no picture there
    // was most likely meant to be in them.
    const std::string pictures = RelBmpsFolder(job.state);
    for (const std::string& name : ReportPictures(pictures))
        if (!EndsWith(ToLower(name), ".bmp")) {
            Log("%s%s %s", kLogPrefix, (pictures + name).c_str(), kStrayPicture);
            notifier.Warning(pictures + name, kStrayPicture);
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
    if (job.state.options.pdf && complete) complete = WritePdfs(job, notifier);
    // A report that could not be written is never announced as a success.
    if (!complete) return -1;
    // Neither is a run whose other files were not all written: it ends in the export's summary.
    if (!job.state.ledger.Failures().empty() || !job.state.ledger.Duplicates().empty()) return 0;
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
