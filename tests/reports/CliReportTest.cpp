#include <gtest/gtest.h>

#include <filesystem>

#include "reports/ReportTestSupport.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {
int Export(const TempDir& dir, const std::string& options, std::string& out, std::string& err) {
    fs::create_directories(dir.Path() / "out");
    return RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "config").string() +
                          "' export --out '" + (dir.Path() / "out").string() + "' " + options +
                          " '" QUADREL_SOURCE_DIR "/samples/campaign'",
                      &out, &err);
}

bool Have(const char* program) {
    std::string out;
    return RunCommand(std::string("command -v ") + program, &out) == 0;
}
} // namespace

TEST(CliReports, ExportWritesTheFourDocuments) {
    TempDir dir;
    std::string out, err;
    ASSERT_EQ(Export(dir, "--word1 --lang zh --word2 --raw-xlsx --result-xlsx --onesheet", out, err), 0)
        << err;
    EXPECT_NE(err.find("Norvan: Data Export Success！"), std::string::npos) << err;
    EXPECT_EQ(err.find("Exporting sucess"), std::string::npos);
    const std::string report = (dir.Path() / "out/report/").string();

    const json word1 = ReadDocument("docx", report + "QX6518天线测试报告.docx");
    EXPECT_EQ(word1["header"], "天线测试报告");
    EXPECT_NE(word1["paragraphs"].dump().find("端口：P1, 极化：+45, 下倾角：2的方向图测试数据"),
              std::string::npos);
    EXPECT_EQ(word1["pictures"], 48);

    const json result = ReadDocument("xlsx", report + "AnalysisResult_Proj7_QX6518_SN00001_20261208.xlsx");
    ASSERT_EQ(result["sheets"].size(), 2u);
    EXPECT_EQ(result["sheets"][0]["name"], "Remark");
    EXPECT_EQ(result["sheets"][0]["state"], "hidden");
    const json& sheet = result["sheets"][1];
    EXPECT_EQ(sheet["name"], "Result");
    EXPECT_EQ(sheet["cells"]["A1"], "p1 2 0");
    EXPECT_TRUE(sheet["cells"]["A3"].is_number()) << "numbers are stored as numbers";

    const json raw = ReadDocument("xlsx", report + "Norvan_QX6518_RawData_20261208.xlsx");
    ASSERT_GE(raw["sheets"].size(), 2u);
    EXPECT_EQ(raw["sheets"][1]["name"], "p1 co e 20");
    EXPECT_EQ(raw["sheets"][1]["cells"]["A2"], -179.5) << "the cut's own first angle";
    EXPECT_EQ(raw["sheets"][1]["cells"]["B1"], 1710);

    EXPECT_EQ(ReadDocument("docx", report + "Norvan_Test_Report2.docx")["pictures"], 48);
}

// Documents that an office suite holds open keep their bytes and the run fails; the other
// outputs of the run are still written.
TEST(CliReports, DocumentsHeldOpenAreKeptAndTheRunFails) {
    TempDir dir;
    std::string out, err;
    const std::string options = "--word1 --lang en --result-xlsx";
    ASSERT_EQ(Export(dir, options, out, err), 0) << err;
    const std::string report = (dir.Path() / "out/report/").string();
    const std::string word = report + "Antenna test report of QX6518.docx";
    const std::string book = report + "AnalysisResult_Proj7_QX6518_SN00001_20261208.xlsx";
    const struct {
        const char* what;
        std::string lockFile;
        std::string held;
        const char* message;
    } cases[] = {
        {"Word's owner file", "~$tenna test report of QX6518.docx", word,
         "Word file is in use by another program, please close it first!"},
        {"LibreOffice's lock file", ".~lock.AnalysisResult_Proj7_QX6518_SN00001_20261208.xlsx#", book,
         "Excel file is in use by another program, please close it first!"},
    };
    for (const auto& c : cases) {
        const std::string before = ReadFileText(c.held);
        dir.Write("out/report/" + c.lockFile, "someone,host");
        EXPECT_EQ(Export(dir, options, out, err), 1) << c.what << ": " << err;
        EXPECT_NE(err.find(c.message), std::string::npos) << c.what << ": " << err;
        if (c.held == word) EXPECT_EQ(err.find("Data Export Success"), std::string::npos) << c.what;
        EXPECT_EQ(ReadFileText(c.held), before) << c.what;
        fs::remove(report + c.lockFile);
    }
}

// The antenna model names the outputs and fills the report: a long model gives names near the
// file system's limit, a model from an odd folder name gives bytes that XML cannot hold.
TEST(CliReports, ModelsOfAnyLengthOrBytesMakeReadableDocuments) {
    const struct {
        const char* what;
        std::string model;
    } cases[] = {
        {"200 characters", std::string(200, 'q')},
        {"control characters and a byte that is not UTF-8", "QX\x1b[2J\x01\xff65"},
    };
    // The outputs whose names start with `prefix`.
    auto named = [](const std::string& folder, const std::string& prefix) {
        std::vector<std::string> paths;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().rfind(prefix, 0) == 0)
                paths.push_back(entry.path().string());
        return paths;
    };
    for (const auto& c : cases) {
        TempDir dir;
        const fs::path input = dir.Path() / "in" / ("Lab1_Proj7_" + c.model + "_20261208_B01_SN00001");
        fs::create_directories(input.parent_path());
        fs::copy(QUADREL_SOURCE_DIR "/samples/campaign/Lab1_Proj7_QX6518_20261208_B01_SN00001", input,
                 fs::copy_options::recursive);
        fs::create_directories(dir.Path() / "out");
        std::string out, err;
        const int status =
            RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "config").string() +
                           "' export --out '" + (dir.Path() / "out").string() +
                           "' --word1 --lang en --word2 --result-xlsx --raw-xlsx '" + input.string() + "'",
                       &out, &err);
        EXPECT_EQ(status, 0) << c.what << ": " << err;
        const std::string report = (dir.Path() / "out/report/").string();
        const std::vector<std::string> word1 = named(report, "Antenna test report of ");
        ASSERT_EQ(word1.size(), 1u) << c.what;
        EXPECT_EQ(ReadDocument("docx", word1[0])["pictures"], 48) << c.what;
        EXPECT_EQ(ReadDocument("docx", report + "Norvan_Test_Report2.docx")["pictures"], 48) << c.what;
        for (const char* prefix : {"AnalysisResult_Proj7_", "Norvan_"}) {
            for (const std::string& book : named(report, prefix)) {
                if (book.size() < 5 || book.substr(book.size() - 5) != ".xlsx") continue;
                EXPECT_GE(ReadDocument("xlsx", book)["sheets"].size(), 2u) << c.what << ": " << book;
            }
        }
        EXPECT_EQ(named(report, "AnalysisResult_Proj7_").size(), 1u) << c.what;
        for (const auto& entry : fs::directory_iterator(report))
            EXPECT_NE(entry.path().filename().string().front(), '.') << c.what << ": " << entry.path();
    }
}

// When LibreOffice is installed, every document converts to PDF.
TEST(CliReports, OfficeSuiteConvertsTheDocuments) {
    if (!Have("soffice")) GTEST_SKIP() << "LibreOffice is not installed";
    TempDir dir;
    std::string out, err;
    ASSERT_EQ(Export(dir, "--word1 --lang en --word2 --raw-xlsx --result-xlsx", out, err), 0) << err;
    const std::string report = (dir.Path() / "out/report/").string();
    const std::string profile = "file://" + (dir.Path() / "lo-profile").string();
    const std::vector<std::string> names{"Antenna test report of QX6518.docx", "Norvan_Test_Report2.docx",
                                         "AnalysisResult_Proj7_QX6518_SN00001_20261208.xlsx",
                                         "Norvan_QX6518_RawData_20261208.xlsx"};
    // One office start for all four documents.
    std::string command = "soffice -env:UserInstallation=" + profile +
                          " --headless --convert-to pdf --outdir '" + (dir.Path() / "pdf").string() + "'";
    for (const std::string& name : names) command += " '" + report + name + "'";
    EXPECT_EQ(RunCommand(command, &out, &err), 0) << err;
    for (const std::string& name : names) {
        const std::string pdf = (dir.Path() / "pdf" / fs::path(name).replace_extension(".pdf")).string();
        EXPECT_TRUE(fs::exists(pdf) && fs::file_size(pdf) > 1000) << name;
    }
}
