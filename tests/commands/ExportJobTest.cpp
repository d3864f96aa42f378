// The desktop's export on its own copy of the document: edits made while it runs do not reach its
// files, a stop ends it at a file boundary with only whole files on disk, and the message names
// them.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "commands/EditCommands.h"
#include "commands/ExportJob.h"
#include "commands/FileCommands.h"
#include "commands/SettingsCommands.h"
#include "commands/StartUp.h"
#include "export/ExportTexts.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
const std::string kCampaign = QUADREL_SOURCE_DIR "/samples/campaign";
const std::string kAntenna = kCampaign + "/Lab1_Proj7_QX6518_20261208_B01_SN00001/";

// Calls `at` on the thread that runs the export when it announces a step.
class StepNotifier : public RecordingNotifier {
  public:
    void Status(const std::string& text) override {
        RecordingNotifier::Status(text);
        if (at) at(text);
    }
    std::function<void(const std::string&)> at;
};

std::vector<std::string> FilesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class ExportJobTest : public ::testing::Test {
  protected:
    ExportJobTest() : session(CreateSession(config.Path().string() + "/", &notifier, &listener)) {
        OpenFilesCommand(*session, CollectPatternFiles({kCampaign}).files);
    }
    void ChooseExport(const fs::path& folder, DataExportOptions options) {
        ASSERT_TRUE(ExportDialogOk(*session, folder.string(), options, session->Doc().patternInfo));
    }

    TempDir config, out;
    StepNotifier notifier;
    RecordingListener listener;
    std::unique_ptr<Session> session;
};

DataExportOptions PatternFiles() {
    DataExportOptions options;
    options.pln = options.msi = options.tmvmsi = options.xml = options.txt = true;
    return options;
}
} // namespace

TEST_F(ExportJobTest, EditsAfterTheStartDoNotReachTheFiles) {
    // When the window's document changes, as a user goes on working: after the job was taken, or
    // while the worker writes the files.
    for (const char* editAt : {"taken", kStatusMsi}) {
        SCOPED_TRACE(editAt);
        const fs::path before = out.Path() / editAt / "before", during = out.Path() / editAt / "during";
        fs::create_directories(before);
        fs::create_directories(during);
        DataExportOptions options;
        options.msi = true;
        ChooseExport(before, options);
        ExportJob reference(*session);
        EXPECT_EQ(reference.Run(nullptr), ExportRunResult::Succeeded);

        ChooseExport(during, options);
        ExportJob job(*session);
        const auto edit = [this] {
            notifier.at = nullptr;
            ClickFileRows(*session, {PatternKey(kAntenna + "p1_p45_h_co_2_0_1850.msi")});
            LevelForm form = OpenLevelForm(session->Doc());
            form.overall = false; // the written tables are relative to the peak: only a partial change shows
            form.fromText = "-30";
            form.toText = "30";
            form.valueText = "3";
            LevelOk(*session, form);
        };
        if (std::string(editAt) == "taken")
            edit();
        else
            notifier.at = [&](const std::string& status) {
                if (status == editAt) edit();
            };
        EXPECT_EQ(job.Run(nullptr), ExportRunResult::Succeeded);
        EXPECT_EQ(notifier.at, nullptr); // the edit was made

        const std::vector<std::string> written = FilesBelow(during / "DataSrc");
        ASSERT_FALSE(written.empty());
        EXPECT_EQ(job.FilesDone(), static_cast<int>(written.size()));
        for (const std::string& file : written)
            EXPECT_EQ(ReadFileText(file), ReadFileText((before / fs::relative(file, during)).string()))
                << file;

        // A job taken after the edit does write it.
        const fs::path after = out.Path() / editAt / "after";
        fs::create_directories(after);
        ChooseExport(after, options);
        ExportJob later(*session);
        EXPECT_EQ(later.Run(nullptr), ExportRunResult::Succeeded);
        int differing = 0;
        for (const std::string& file : FilesBelow(after / "DataSrc"))
            differing += ReadFileText(file) != ReadFileText((before / fs::relative(file, after)).string());
        EXPECT_EQ(differing, 1);
    }
}

TEST_F(ExportJobTest, AStopEndsTheRunAtAFileBoundaryAndNamesWhatWasWritten) {
    struct Case {
        const char* stopAt; // the step whose announcement stops the run
        std::vector<std::string> folders;
    };
    const Case cases[] = {
        {kStatusCalculating, {}},
        {kStatusMsi, {"PLN"}},
        {kStatusXml, {"DataSrc/MSI", "DataSrc/TMVMSI", "PLN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stopAt);
        const fs::path folder = out.Path() / c.stopAt;
        fs::create_directories(folder);
        ChooseExport(folder, PatternFiles());
        ExportJob job(*session);
        notifier.at = [&](const std::string& status) {
            if (status == c.stopAt) job.Stop();
        };
        notifier.messages.clear();
        EXPECT_EQ(job.Run(nullptr), ExportRunResult::Stopped);

        // On disk: exactly the files the ledger names, each whole, none begun after the stop.
        std::vector<std::string> written = job.Ledger().WrittenPaths();
        for (std::string& path : written) path = fs::path(path).lexically_normal().string();
        std::sort(written.begin(), written.end());
        EXPECT_EQ(FilesBelow(folder), written);
        EXPECT_EQ(job.FilesDone(), static_cast<int>(written.size()));
        std::string expected = StoppedExportText(job.Ledger().WrittenPaths());
        for (const std::string& sub : c.folders)
            EXPECT_NE(expected.find(folder.string() + "/" + sub + ": "), std::string::npos);
        EXPECT_EQ(job.Summary().headline, expected);
        EXPECT_FALSE(job.Summary().clean);
        // The stop is told once, in the summary, not in a box of its own.
        for (const auto& message : notifier.messages) EXPECT_NE(message.second, expected);
    }
}

TEST(StoppedExportTextTest, CountsPerFolder) {
    EXPECT_EQ(StoppedExportText({}), "Export stopped: 0 files were written.");
    EXPECT_EQ(StoppedExportText({"/o/PLN/A.pln"}), "Export stopped: 1 file was written:\n/o/PLN: 1 file");
    EXPECT_EQ(StoppedExportText({"/o/PLN/A.pln", "/o/MSI/A.msi", "/o/PLN/B.pln"}),
              "Export stopped: 3 files were written:\n/o/MSI: 1 file\n/o/PLN: 2 files");
}

TEST_F(ExportJobTest, TheRunsResultsComeBackToTheSession) {
    ChooseExport(out.Path(), PatternFiles());
    ExportJob job(*session);
    EXPECT_EQ(job.Run(nullptr), ExportRunResult::Succeeded);
    EXPECT_TRUE(session->exportState.frequencyList.empty());
    job.Finish(*session);
    EXPECT_FALSE(session->exportState.frequencyList.empty());
    EXPECT_EQ(session->exportState.plnFolder, out.Path().string() + "/PLN");
    EXPECT_EQ(session->exportState.progress, nullptr);
}
