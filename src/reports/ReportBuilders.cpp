#include <cstdio>
#include <filesystem>

#include "Inkwright.h"
#include "app/Log.h"
#include "app/Notifier.h"
#include "app/TextUtil.h"
#include "document/ProgramTexts.h"
#include "reports/DatasheetSection.h"
#include "reports/ReportJob.h"
#include "reports/ReportTexts.h"
#include "results/ResultTable.h"

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

std::string SectionTitle(bool chinese, const PatternFile& last) {
    char buffer[512];
    const NameFields& n = last.names;
    std::snprintf(buffer, sizeof buffer, chinese ? kSectionTitleChinese : kSectionTitleEnglish,
                  n[kFieldPort].c_str(), n[kFieldPolarisation].c_str(), n[kFieldTilt].c_str());
    std::string title = buffer;
    // Polarisations read as the engineer writes them.
    if (size_t at = title.find("p45"); at != std::string::npos)
        title.replace(at, 3, "+45");
    else if (size_t at = title.find("m45"); at != std::string::npos)
        title.replace(at, 3, "-45");
    return Upper(title);
}

// One band as a table; the selection ends in the paragraph after it.
void TypeTable(CInkwright& ink, const ResultTable& band) {
    const int rows = static_cast<int>(band.rows.size()) + 1;
    const int columns = static_cast<int>(band.header.size());
    ink.InsertTable(rows, columns);
    ink.SetFontColor(kInkBlack);
    bool first = true;
    auto type = [&](const std::string& text) {
        if (!first) ink.SetFocusCol(1, kInkForward);
        first = false;
        ink.InsertText(text);
    };
    for (const std::string& cell : band.header) type(cell);
    for (const auto& row : band.rows)
        for (int c = 0; c < columns; ++c) type(c < static_cast<int>(row.size()) ? row[c] : std::string());
    ink.SetFocusCol(1, kInkForward);
    ink.InsertParagraph(2);
}

void InsertPictures(CInkwright& ink, const std::string& folder, bool lowerCase) {
    int counter = 1;
    for (const std::string& name : ReportPictures(folder)) {
        std::string caption;
        if (lowerCase) {
            const std::string lower = Lower(name);
            const size_t bmp = lower.find(".bmp");
            caption =
                bmp == std::string::npos ? "" : "(" + std::to_string(counter) + ")" + lower.substr(0, bmp);
        } else {
            caption = "(" + std::to_string(counter) + ")" + name.substr(0, name.find('.'));
        }
        ink.InsertText(caption);
        ink.InsertPicture(folder + name);
        ink.InsertParagraph(1);
        ++counter;
    }
}

} // namespace

std::string Format1OutputPath(const ReportJob& job) {
    const std::string model = Upper(job.doc.testFields[2]);
    return job.state.reportFolder + (job.state.options.chinese ? model + "天线测试报告.docx"
                                                               : "Antenna test report of " + model + ".docx");
}

std::string Format2OutputPath(const ReportJob& job) {
    return job.state.reportFolder + kFormat2FileName;
}

// Reports a failed check or build: the log line, the status text and a message saying why.
int ReportFailure(Notifier& notifier, const std::string& reason, int code) {
    Log("%s%s", kLogPrefix, reason.c_str());
    notifier.Status(kStatusReportError);
    notifier.Notify(reason, kCaptionApplication);
    return code;
}

int BuildReportFormat1(const ReportJob& job, Notifier& notifier) {
    const std::string& templatePath = job.state.format1Template;
    const std::string output = Format1OutputPath(job);
    if (const std::string problem = CheckReportFiles(templatePath, output); !problem.empty())
        return ReportFailure(notifier, problem, -1);
    for (const std::string& missing :
         MissingPlaceholders(templatePath, {kPlaceholderTables, kPlaceholderPictures}))
        return ReportFailure(
            notifier, "The report template has no placeholder \"" + missing + "\": " + templatePath, -1);
    CInkwright ink;
    try {
        if (!ink.OpenDocument(templatePath)) return -2;
        ink.FindAndReplace(kPlaceholderDocumentNumber, job.doc.testFields[2], kInkReplaceAll);
        ink.FindAndReplace(kPlaceholderSerialNumber, job.doc.testFields[5], kInkReplaceAll);
        ink.FindAndReplace(kPlaceholderTables, "", kInkReplaceOne);
        if (job.state.limits)
            TypeDatasheetSection(ink, job.doc.table, *job.state.limits, job.state.options.chinese);
        const auto sections = GroupPatterns(job.doc.table, [](const PatternFile& f) {
            return f.names[kFieldPort] + "_" + f.names[kFieldTilt];
        });
        for (const auto& [key, group] : sections) {
            const PatternFile* last = nullptr;
            for (const auto& [k, file] : job.doc.table)
                if (file.names[kFieldPort] + "_" + file.names[kFieldTilt] == key) last = &file;
            ink.InsertText(SectionTitle(job.state.options.chinese, *last));
            ink.InsertParagraph(1);
            for (const ResultTable& band : SplitIntoBands(BuildResultTable(job.doc, group)))
                TypeTable(ink, band);
            for (int i = 0; i < 2; ++i) {
                ink.InsertText(" ");
                ink.InsertParagraph(1);
            }
        }
        ink.FindAndReplace(kPlaceholderPictures, "", kInkReplaceOne);
        InsertPictures(ink, RelBmpsFolder(job.state), true);
        ink.UpdateContents();
        ink.SaveAsDocument(output);
        ink.CloseDocument();
        return 0;
    } catch (const std::exception& error) {
        // The report is dropped whole: the output is only ever written complete.
        ink.CloseDocument();
        Log("%s%s", kLogPrefix, error.what());
        notifier.Status(kStatusReportError);
        notifier.Notify(kTextTemplateReadException, kCaptionApplication);
        return -3;
    }
}

int BuildReportFormat2(const ReportJob& job, Notifier& notifier) {
    const std::string& templatePath = job.state.format2Template;
    const std::string output = Format2OutputPath(job);
    if (const std::string problem = CheckReportFiles(templatePath, output); !problem.empty())
        return ReportFailure(notifier, problem, -1);
    CInkwright ink;
    try {
        // The collection starts from a fresh copy of the template each run and is saved under its
        // own name only when complete.
        if (!ink.OpenDocument(templatePath)) return -2;
        InsertPictures(ink, RelBmpsFolder(job.state), false);
        ink.SaveAsDocument(output);
        ink.CloseDocument();
        return 0;
    } catch (const std::exception& error) {
        ink.CloseDocument();
        return ReportFailure(notifier, std::string(kTextTemplateReadException) + " " + error.what(), -3);
    }
}
