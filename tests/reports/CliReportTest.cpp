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
