#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sys/stat.h>

#include "Package.h"
#include "reports/ReportJob.h"
#include "reports/ReportTestSupport.h"
#include "reports/ReportTexts.h"
#include "reports/ReportWorker.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// Ten indicators: two tables per section, the frequency and eight, then the frequency and two.
void SelectTenIndicators(CQuadrelDoc& doc) {
    for (const SelectionFlagInfo& flag : SelectionFlags()) doc.selection.SetValue(flag, 0);
    for (const char* key :
         {"Gain", "cm_isSelHMaxLevel", "cm_isSelHBW3dB", "cm_isSelFBRCO", "cm_isSelSquint", "cm_isSelXPD0",
          "cm_isSelVMaxLevel", "cm_isSelVBW3dB", "cm_isSelEDE", "cm_isSelFSU"})
        doc.selection.Set(key, 1);
}

std::vector<std::string> Captions(const json& paragraphs) {
    std::vector<std::string> captions;
    for (const auto& p : paragraphs)
        if (p.get<std::string>().rfind("(", 0) == 0) captions.push_back(p);
    return captions;
}

} // namespace

TEST(ReportWorker, BuildsBothFormatsFromASnapshot) {
    EnsureOffscreenApplication();
    TempDir dir;
    ReportFixtureData data(dir);
    SelectTenIndicators(data.doc);
    // A file browser's thumbnail cache in the picture folder is never inserted.
    dir.Write("out/report/RelBmps/Thumbs.db", "cache");
    std::unique_ptr<ReportJob> job = MakeReportJob(data.doc, data.state, true, true);
    // The user goes on working: the reports still show the data of the export.
    data.doc.table.clear();
    data.doc.testFields[2] = "changed";
    data.notifier.messages.clear();
    data.notifier.statuses.clear();
    ASSERT_EQ(RunReportWorker(*job, data.notifier), 0);
    EXPECT_EQ(data.notifier.statuses,
              (std::vector<std::string>{"Exporting word report (pattern set) screenshots...",
                                        "Exporting word report 1 (standard test report) screenshots...",
                                        "Exporting word report 1（standard report）...",
                                        "Exporting word report 1（Pattern collection）...",
                                        "Data Export Success！"}));
    EXPECT_EQ(data.notifier.messages,
              (std::vector<std::pair<std::string, std::string>>{{"Norvan", "Data Export Success！"}}));

    const std::string report = data.state.reportFolder;
    const std::vector<std::string> pictures = ReportPictures(report + "RelBmps/");
    ASSERT_EQ(pictures.size(), 48u) << "one picture per pattern of the sample (no partner toggles on)";
    EXPECT_TRUE(fs::exists(report + "RelBmps/p1_p45_h_co_6_0_1850.bmp"));
    EXPECT_TRUE(fs::exists(report + "SetBmps/p1_6_h.bmp"));

    const json word1 = ReadDocument("docx", report + "Antenna test report of QX6518.docx");
    const auto& tables = word1["tables"];
    // The cover table, then two bands for each of the four port and tilt sections.
    ASSERT_EQ(tables.size(), 9u);
    EXPECT_EQ(tables[0][0][1], "QX6518") << "the model replaced the document-number placeholder";
    for (size_t t = 1; t < tables.size(); ++t) {
        EXPECT_EQ(tables[t][0][0], "Frequency\n(MHz)");
        EXPECT_EQ(tables[t][0].size(), t % 2 ? 9u : 3u) << t;
        EXPECT_EQ(tables[t].size(), 4u) << "header and three frequencies";
        EXPECT_EQ(tables[t][1][0], "1710");
    }
    EXPECT_EQ(tables[1][0][1], "Gain\n(dBi)");
    EXPECT_EQ(tables[2][0][2], "FSU\n(dB)");
    const std::string text = word1["paragraphs"].dump();
    EXPECT_NE(text.find("PORT：P1, POLARIZATION：+45, TILT：2"), std::string::npos);
    EXPECT_NE(text.find("PORT：P2, POLARIZATION：-45, TILT：6"), std::string::npos);
    for (const char* placeholder :
         {"InsertPicture1Here", "InsertPicture3Here", "DocumentNoHere", "SerialNoHere"})
        EXPECT_EQ(text.find(placeholder), std::string::npos) << placeholder;
    EXPECT_EQ(word1["contents"],
              json::array({"1 Scope\t3", "2 Test Conditions\t3", "2.1 Test set-up\t3", "2.2 Definitions\t3",
                           "3 Test Results\t3", "4 Radiation Patterns\t4"}))
        << "the contents list the headings with their pages";
    EXPECT_EQ(word1["header"], "Antenna Test Report");
    const std::vector<std::string> captions = Captions(word1["paragraphs"]);
    ASSERT_EQ(captions.size(), 48u);
    EXPECT_EQ(captions.front(), "(1)p1_p45_e_co_2_0_1710");
    EXPECT_EQ(captions.back(), "(48)p2_m45_h_cr_6_0_2170");
    EXPECT_EQ(word1["pictures"], 48);
    // About as wide as the text (640 pixels at 96 dpi) and at most 4 inches high: two to a page.
    EXPECT_LE(word1["picture_sizes"][0][0], 640 * 9525);
    EXPECT_GE(word1["picture_sizes"][0][0], 576 * 9525);
    EXPECT_LE(word1["picture_sizes"][0][1], 384 * 9525);

    const json word2 = ReadDocument("docx", report + "Norvan_Test_Report2.docx");
    EXPECT_EQ(Captions(word2["paragraphs"]), captions);
    EXPECT_EQ(word2["pictures"], 48);
    EXPECT_EQ(word2["header"], "Radiation Pattern Collection");
}

// The report folder is shared by every export into one --out: what an earlier run or a person
// left there never enters a report, a picture that cannot be written fails the reports whole, and
// nothing there can make the worker wait.
TEST(ReportWorker, ReportsHoldOnlyThePicturesOfThisRun) {
    EnsureOffscreenApplication();
    TempDir dir;
    ReportFixtureData data(dir);
    const std::string report = data.state.reportFolder;
    const std::string pictures = report + "RelBmps/";
    const std::string output = report + "Norvan_Test_Report2.docx";
    std::string earlierPicture;
    auto pipe = [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path; };
    const struct {
        const char* what;
        std::function<void()> setup;
        int result;
        std::string message; // the start of the one message; empty: success
        std::string warning; // the subject of the one warning; empty: none
    } cases[] = {
        {"a clean folder", [] {}, 0, "", ""},
        {"an earlier antenna's picture",
         [&] { std::ofstream(pictures + "zz_earlier_antenna.bmp", std::ios::binary) << earlierPicture; }, 0,
         "", ""},
        {"a file that is no picture", [&] { std::ofstream(pictures + "notes.txt") << "my notes"; }, 0, "",
         pictures + "notes.txt"},
        {"a pipe named like an earlier picture", [&] { pipe(pictures + "zz_old.bmp"); }, 0, "", ""},
        {"a pipe named like a picture of this run", [&] { pipe(pictures + "p1_p45_e_co_2_0_1710.bmp"); }, 0,
         "", ""},
        {"the picture folder is a file",
         [&] {
             fs::remove_all(pictures);
             std::ofstream(report + "RelBmps") << "";
         },
         -1, std::string(kPictureNotWritten) + pictures, ""},
        {"a pipe at the report's name", [&] { pipe(output); }, -1, kOutputNotAFile + output, ""},
        {"the report open in Word",
         [&] {
             std::ofstream(output) << "an earlier report";
             std::ofstream(report + "~$rvan_Test_Report2.docx") << "someone";
         },
         -1, kOutputInUse, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(report);
        fs::create_directories(pictures);
        c.setup();
        std::unique_ptr<ReportJob> job = MakeReportJob(data.doc, data.state, false, true);
        data.notifier.messages.clear();
        data.notifier.warnings.clear();
        EXPECT_EQ(RunReportWorker(*job, data.notifier), c.result);
        ASSERT_EQ(data.notifier.messages.size(), 1u);
        const std::string& message = data.notifier.messages[0].second;
        EXPECT_EQ(message.rfind(c.message.empty() ? "Data Export Success！" : c.message, 0), 0u) << message;
        EXPECT_EQ(data.notifier.warnings.size(), c.warning.empty() ? 0u : 1u);
        if (!c.warning.empty() && !data.notifier.warnings.empty())
            EXPECT_EQ(data.notifier.warnings[0].first, c.warning);
        if (c.result != 0) {
            if (fs::is_regular_file(output))
                EXPECT_EQ(ReadFileText(output), "an earlier report") << "a held report is kept";
            continue;
        }
        const json word2 = ReadDocument("docx", output);
        EXPECT_EQ(word2["pictures"], 48);
        const std::vector<std::string> captions = Captions(word2["paragraphs"]);
        ASSERT_EQ(captions.size(), 48u);
        EXPECT_EQ(captions.back(), "(48)p2_m45_h_cr_6_0_2170");
        if (earlierPicture.empty()) earlierPicture = ReadFileText(pictures + "p1_p45_e_co_2_0_1710.bmp");
    }
}

TEST(ReportWorker, BadTemplatesAndHeldDocumentsWriteNothing) {
    TempDir dir;
    ReportFixtureData data(dir);
    const std::string good = data.state.format1Template;
    ooxml::Package noMain;
    noMain.SetPart("[Content_Types].xml", "<Types/>");
    std::string error;
    ASSERT_TRUE(noMain.SaveAs((dir.Path() / "nomain.docx").string(), error));
    // A template whose entry would be copied outside the report's package.
    ooxml::Package escaping;
    ASSERT_TRUE(escaping.Open(good, error)) << error;
    escaping.SetPart("../../escaped.xml", "<x/>");
    ASSERT_TRUE(escaping.SaveAs((dir.Path() / "escaping.docx").string(), error));
    // A template without the picture placeholder: the blank format-2 template serves.
    const struct {
        std::string name;
        std::string templatePath;
        int result;
        std::string message;
    } cases[] = {
        {"missing", (dir.Path() / "none.docx").string(), -1,
         "Word template file doesn't exist, please check it!"},
        {"not a zip", dir.Write("text.docx", "plain text"), -3, "Template Read Exception!"},
        {"no main part", (dir.Path() / "nomain.docx").string(), -3, "Template Read Exception!"},
        {"an entry outside the package", (dir.Path() / "escaping.docx").string(), -3,
         "Template Read Exception! the package part \"../../escaped.xml\" is named outside the package: " +
             (dir.Path() / "escaping.docx").string()},
        {"placeholder absent", data.state.format2Template, -1,
         "The report template has no placeholder \"InsertPicture1Here\""},
        {"held open", good, -1, "Word file is in use by another program, please close it first!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ReportJob> job = MakeReportJob(data.doc, data.state, true, false);
        job->state.format1Template = c.templatePath;
        const std::string output = Format1OutputPath(*job);
        fs::remove(output);
        if (c.name == "held open") {
            dir.Write("out/report/Antenna test report of QX6518.docx", "an earlier report");
            dir.Write("out/report/.~lock.Antenna test report of QX6518.docx#", "x");
        }
        data.notifier.messages.clear();
        data.notifier.statuses.clear();
        EXPECT_EQ(BuildReportFormat1(*job, data.notifier), c.result);
        ASSERT_EQ(data.notifier.messages.size(), 1u);
        EXPECT_EQ(data.notifier.messages[0].second.rfind(c.message, 0), 0u)
            << data.notifier.messages[0].second;
        EXPECT_EQ(data.notifier.statuses, std::vector<std::string>{"Data Export Error！"});
        if (c.name == "held open")
            EXPECT_EQ(ReadFileText(output), "an earlier report");
        else
            EXPECT_FALSE(fs::exists(output));
        for (const auto& entry : fs::directory_iterator(data.state.reportFolder))
            EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    }
    // The worker stops at a failed format-1 check and announces no success.
    std::unique_ptr<ReportJob> job = MakeReportJob(data.doc, data.state, true, true);
    job->state.format1Template = (dir.Path() / "none.docx").string();
    job->plot = {};
    EnsureOffscreenApplication();
    data.notifier.messages.clear();
    EXPECT_EQ(RunReportWorker(*job, data.notifier), -1);
    EXPECT_FALSE(fs::exists(data.state.reportFolder + "Norvan_Test_Report2.docx"));
    for (const auto& message : data.notifier.messages) EXPECT_NE(message.second, "Data Export Success！");
}
