#include "commands/ExportSummary.h"

#include <algorithm>
#include <filesystem>

#include "app/WriteLedger.h"
#include "commands/ExportJob.h"
#include "document/ProgramTexts.h"
#include "export/ExportTexts.h"

namespace {
std::string KindOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().filename().string();
}

ExportKindCounts& CountsOf(std::vector<ExportKindCounts>& kinds, const std::string& path) {
    const std::string kind = KindOf(path);
    for (ExportKindCounts& counts : kinds)
        if (counts.kind == kind) return counts;
    return kinds.emplace_back(ExportKindCounts{kind});
}

// The run's own texts that the summary replaces: its success line and the per-file failure boxes and
// failure list, which the ledger gives with their paths.
bool SaidBySummary(const std::string& message) {
    return message == kTextExportSuccess || message == kTextReportSuccess || message == kTextSaveFailed ||
           message.rfind(kTextExportFailed, 0) == 0;
}

std::string Plural(size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}
} // namespace

ExportSummary SummariseExport(const WriteLedger& ledger, ExportRunResult result,
                              const std::vector<std::string>& messages,
                              const std::vector<std::string>& warnings) {
    ExportSummary summary;
    // A refused run wrote nothing and has said why: there is nothing to sum up.
    if (result == ExportRunResult::Refused) {
        summary.clean = false;
        return summary;
    }
    const std::vector<std::string> written = ledger.WrittenPaths();
    for (const std::string& path : written) ++CountsOf(summary.kinds, path).written;
    for (const WriteLedger::Failure& failure : ledger.Failures()) {
        ++CountsOf(summary.kinds, failure.path).failed;
        summary.problems.push_back(failure.Describe());
    }
    // Each skipped file was warned of, naming both inputs: the warnings list them.
    for (const WriteLedger::Duplicate& clash : ledger.Duplicates())
        ++CountsOf(summary.kinds, clash.path).skipped;
    // A run that succeeded showed only its success texts (the report worker's among them).
    if (result != ExportRunResult::Succeeded)
        for (const std::string& message : messages)
            if (!SaidBySummary(message)) summary.problems.push_back(message);
    summary.problems.insert(summary.problems.end(), warnings.begin(), warnings.end());

    summary.clean = summary.problems.empty() && result == ExportRunResult::Succeeded;
    if (result == ExportRunResult::Stopped) {
        summary.headline = StoppedExportText(written);
    } else if (summary.clean) {
        // A run with Word reports ends with the report worker's own success text.
        const bool reports =
            std::find(messages.begin(), messages.end(), kTextReportSuccess) != messages.end();
        summary.headline = reports ? kTextReportSuccess : kTextExportSuccess;
    } else {
        const size_t notWritten = ledger.Failures().size() + ledger.Duplicates().size();
        summary.headline = "Export finished with problems: " + Plural(written.size(), "file") + " written, " +
                           std::to_string(notWritten) + " not written, " +
                           Plural(warnings.size(), "warning") + ".";
    }
    return summary;
}

std::string ExportProblemText(const ExportSummary& summary) {
    std::string text;
    for (const std::string& problem : summary.problems) text += problem + "\n";
    return text;
}
