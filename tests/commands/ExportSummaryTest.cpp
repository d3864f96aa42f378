// What the user is told at the end of an export or a save-as: once, with counts per kind, never
// success when anything was not written or warned.
#include <gtest/gtest.h>

#include "app/WriteLedger.h"
#include "commands/ExportJob.h"
#include "commands/ExportSummary.h"
#include "commands/FileCommands.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "document/ProgramTexts.h"
#include "export/ExportTexts.h"
#include "support/TestSupport.h"

namespace {
std::string Kinds(const ExportSummary& summary) {
    std::string text;
    for (const ExportKindCounts& k : summary.kinds)
        text += k.kind + " " + std::to_string(k.written) + "/" + std::to_string(k.skipped) + "/" +
                std::to_string(k.failed) + ";";
    return text;
}
} // namespace

TEST(ExportSummaryTest, CountsPerKindAndNeverSuccessWithAProblem) {
    struct Case {
        const char* name;
        std::vector<std::string> written, failed, clashing;
        std::vector<std::string> messages, warnings;
        ExportRunResult result;
        std::string headline, kinds;
        size_t problems;
    };
    const std::string failedList = std::string(kTextExportFailed) + "\n/o/MSI/b.msi: disk full";
    const Case cases[] = {
        // The report worker announces its own success.
        {"clean",
         {"/o/PLN/a.pln", "/o/MSI/a.msi", "/o/PLN/b.pln"},
         {},
         {},
         {"Data Export Success！"},
         {},
         ExportRunResult::Succeeded,
         kTextReportSuccess,
         "PLN 2/0/0;MSI 1/0/0;",
         0},
        {"warned",
         {"/o/MSI/a.msi"},
         {},
         {},
         {kTextExportSuccess},
         {"a.msi: port p9 has no extension"},
         ExportRunResult::Succeeded,
         "Export finished with problems: 1 file written, 0 not written, 1 warning.",
         "MSI 1/0/0;",
         1},
        {"failed and skipped",
         {"/o/MSI/a.msi"},
         {"/o/MSI/b.msi"},
         {"/o/PLN/a.pln"},
         {kTextSaveFailed, failedList},
         {},
         ExportRunResult::Failed,
         "Export finished with problems: 2 files written, 2 not written, 0 warnings.",
         "MSI 1/0/1;PLN 1/1/0;",
         1},
        {"workbook missing",
         {},
         {},
         {},
         {"Export data: the workbook was not written: locked"},
         {},
         ExportRunResult::Incomplete,
         "Export finished with problems: 0 files written, 0 not written, 0 warnings.",
         "",
         1},
        {"stopped",
         {"/o/PLN/a.pln"},
         {},
         {},
         {},
         {},
         ExportRunResult::Stopped,
         "Export stopped: 1 file was written:\n/o/PLN: 1 file",
         "PLN 1/0/0;",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteLedger ledger;
        for (const std::string& path : c.written) ledger.Claim(path, "in/" + path);
        for (const std::string& path : c.failed) {
            ledger.Claim(path, "in/" + path);
            ledger.RecordFailure(path, "disk full");
        }
        for (const std::string& path : c.clashing) {
            ledger.Claim(path, "first");
            ledger.Claim(path, "second");
        }
        const ExportSummary summary = SummariseExport(ledger, c.result, c.messages, c.warnings);
        EXPECT_EQ(summary.headline, c.headline);
        EXPECT_EQ(Kinds(summary), c.kinds);
        EXPECT_EQ(summary.problems.size(), c.problems) << ExportProblemText(summary);
        EXPECT_EQ(summary.clean, c.result == ExportRunResult::Succeeded && c.problems == 0);
    }
}

TEST(SaveAsSummaryTest, AFolderThatDoesNotExistGivesOneMessageListingTheFiles) {
    TempDir config;
    RecordingNotifier notifier;
    RecordingListener listener;
    auto session = CreateSession(config.Path().string() + "/", &notifier, &listener);
    OpenFilesCommand(*session, CollectPatternFiles({QUADREL_SOURCE_DIR "/samples/campaign"}).files);
    const size_t cuts = session->Doc().table.size();
    notifier.messages.clear();
    EXPECT_TRUE(SaveAsOk(*session, config.Path().string() + "/no/such/folder"));
    ASSERT_EQ(notifier.messages.size(), 1u);
    const std::string& text = notifier.messages.front().second;
    const std::string head = std::string(kTextSaveFailed) + ": " + std::to_string(cuts) + " of " +
                             std::to_string(cuts) + " files not written (";
    EXPECT_EQ(text.rfind(head, 0), 0u) << text;
    EXPECT_NE(text.find("\n… and " + std::to_string(cuts - 10) + " more"), std::string::npos) << text;
    EXPECT_EQ(&session->Doc().GetNotifier(), &notifier);
}
