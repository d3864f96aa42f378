#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "Inkwright.h"
#include "app/AtomicFile.h"
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

// The most columns of one table; a wider result is split into bands of these.
constexpr int kBandColumns = 9;

// One band as a table, its header row repeated on every page it runs onto and no row split; the
// selection ends in the paragraph after it, which holds `footnote` when there is one. The bands of
// a split result share their column width, so the last, narrower band lines up with the others.
void TypeTable(CInkwright& ink, const ResultTable& band, bool split, const char* footnote) {
    const int rows = static_cast<int>(band.rows.size()) + 1;
    const int columns = static_cast<int>(band.header.size());
    ink.InsertTable(rows, columns);
    if (split) ink.SetColumnsPerWidth(kBandColumns);
    ink.SetHeadingRows(1);
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
    if (footnote) ink.InsertText(footnote);
    ink.InsertParagraph(2);
}

void InsertPictures(CInkwright& ink, const ReportJob& job, bool lowerCase) {
    const std::string folder = RelBmpsFolder(job.state);
    int counter = 1;
    for (const std::string& name : job.pictures) {
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

namespace {
// A report that cannot be saved is no template problem: the failure names the output and why.
struct ReportSaveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void SaveReport(CInkwright& ink, const ReportJob& job, const std::string& output) {
    std::string error;
    const bool saved = WriteOutputByName(
        job.state.workingFolder, output,
        [&](const std::string& temporary, std::string& saveError) {
            try {
                ink.SaveAsDocument(temporary);
                return true;
            } catch (const std::exception& failure) {
                saveError = failure.what();
                return false;
            }
        },
        error);
    if (!saved) throw ReportSaveError(error);
}
} // namespace

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
        std::vector<std::vector<ResultTable>> bands;
        bool notComputed = false;
        for (const auto& [key, group] : sections) {
            bands.push_back(SplitIntoBands(BuildResultTable(job.doc, group), kBandColumns));
            for (const ResultTable& band : bands.back()) notComputed = notComputed || HasNotComputed(band);
        }
        // One line under the first table says what the dash of a value not computed means.
        const char* footnote = !notComputed                ? nullptr
                               : job.state.options.chinese ? kFootnoteNotComputedChinese
                                                           : kFootnoteNotComputedEnglish;
        size_t section = 0;
        for (const auto& [key, group] : sections) {
            const PatternFile* last = nullptr;
            for (const auto& [k, file] : job.doc.table)
                if (file.names[kFieldPort] + "_" + file.names[kFieldTilt] == key) last = &file;
            // The title stays on the page of its table.
            ink.InsertText(SectionTitle(job.state.options.chinese, *last));
            ink.KeepWithNext(1);
            ink.InsertParagraph(1);
            ink.KeepWithNext(0);
            for (const ResultTable& band : bands[section]) {
                TypeTable(ink, band, bands[section].size() > 1, footnote);
                footnote = nullptr;
            }
            ++section;
            for (int i = 0; i < 2; ++i) {
                ink.InsertText(" ");
                ink.InsertParagraph(1);
            }
        }
        ink.FindAndReplace(kPlaceholderPictures, "", kInkReplaceOne);
        InsertPictures(ink, job, true);
        ink.UpdateContents();
        SaveReport(ink, job, output);
        ink.CloseDocument();
        return 0;
    } catch (const ReportSaveError& error) {
        ink.CloseDocument();
        return ReportFailure(notifier, error.what(), -3);
    } catch (const std::exception& error) {
        // The report is dropped whole: the output is only ever written complete. The reason names
        // the part, picture or output that failed.
        ink.CloseDocument();
        return ReportFailure(notifier, std::string(kTextTemplateReadException) + " " + error.what(), -3);
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
        InsertPictures(ink, job, false);
        SaveReport(ink, job, output);
        ink.CloseDocument();
        return 0;
    } catch (const ReportSaveError& error) {
        ink.CloseDocument();
        return ReportFailure(notifier, error.what(), -3);
    } catch (const std::exception& error) {
        ink.CloseDocument();
        return ReportFailure(notifier, std::string(kTextTemplateReadException) + " " + error.what(), -3);
    }
}
