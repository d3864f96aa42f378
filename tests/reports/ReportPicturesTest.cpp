// The report pictures drawn on several threads are, byte for byte, the pictures drawn on one.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "reports/ReportJob.h"
#include "reports/ReportScreenshots.h"
#include "reports/ReportTestSupport.h"
#include "reports/ReportWorker.h"

namespace fs = std::filesystem;

TEST(ReportPictures, SeveralThreadsDrawWhatOneDraws) {
    EnsureOffscreenApplication();
    std::map<int, std::map<std::string, std::string>> pictures; // jobs -> (relative path -> bytes)
    for (int jobs : {1, 2, 3}) {
        TempDir dir;
        ReportFixtureData data(dir);
        data.doc.jobs = jobs;
        data.doc.toggles.single = false;
        data.doc.toggles.withCoCross = true; // pictures of two cuts, and cuts that get none of their own
        std::unique_ptr<ReportJob> job = MakeReportJob(data.doc, data.state, true, false);
        fs::create_directories(RelBmpsFolder(job->state));
        fs::create_directories(SetBmpsFolder(job->state));
        EXPECT_EQ(TakePatternScreenshots(*job), 24);
        EXPECT_EQ(TakeSetScreenshots(*job), 8);
        EXPECT_EQ(job->pictures.size(), 24u);
        EXPECT_TRUE(job->failedPictures.empty());
        for (const auto& entry : fs::recursive_directory_iterator(data.state.reportFolder))
            if (entry.is_regular_file())
                pictures[jobs][fs::relative(entry.path(), data.state.reportFolder).string()] =
                    ReadFileText(entry.path().string());
    }
    ASSERT_EQ(pictures[1].size(), 32u);
    EXPECT_TRUE(pictures[2] == pictures[1]);
    EXPECT_TRUE(pictures[3] == pictures[1]);
}
