#pragma once
#include <memory>
#include <string>
#include <vector>

#include "document/QuadrelDoc.h"
#include "export/ExportState.h"
#include "plot/PlotScene.h"
#include "plot/Screenshot.h"

class Notifier;

// Everything the report worker reads, copied when the export starts it: the user may go on working
// (open, rotate, change settings) while the reports are built, and the reports still show the data
// of the export that asked for them.
struct ReportJob {
    CQuadrelDoc doc; // a copy without configuration store, notifier or listener
    ExportState state;
    bool format1 = false;
    bool format2 = false;
    PlotState plot;
    int captureMode = kCaptureStandardWindow1;
    PixelSize viewSize{604, 404};
    // The pattern pictures this run captured (file names in report/RelBmps), the only ones the
    // reports hold: the folder may keep the pictures of an earlier antenna.
    std::vector<std::string> pictures;
    // Pictures that could not be written, with the reason; any of them fails the reports.
    std::vector<std::string> failedPictures;
};

// Takes the snapshot on the calling thread.
std::unique_ptr<ReportJob> MakeReportJob(const CQuadrelDoc& doc, const ExportState& state, bool format1,
                                         bool format2);

// Sorted names of what a person sees in a screenshot folder: entries that are no folder, not hidden
// and whose names do not contain "Thumbs" (the thumbnail cache a file browser leaves there).
std::vector<std::string> ReportPictures(const std::string& folder);

// The checks before a report is built: the template exists and is not held open, and an earlier
// output of the same name is not held open. Empty when fine, else the reason (a documented text).
std::string CheckReportFiles(const std::string& templatePath, const std::string& outputPath);

// The texts of a template's placeholders that its main document lacks; a report cannot be placed
// without them. Reads the template package itself (text split over runs is found).
std::vector<std::string> MissingPlaceholders(const std::string& templatePath,
                                             const std::vector<std::string>& texts);

// Reports a failed check or build: the log line, the status text and a message saying why.
// Returns `code`.
int ReportFailure(Notifier& notifier, const std::string& reason, int code);

// The two report builders; 0 success, -1 a check failed, -2 the template did not open, -3 the
// document could not be built or saved. Failures are logged and reported through `notifier`.
int BuildReportFormat1(const ReportJob& job, Notifier& notifier);
int BuildReportFormat2(const ReportJob& job, Notifier& notifier);

// The output documents.
std::string Format1OutputPath(const ReportJob& job);
std::string Format2OutputPath(const ReportJob& job);
