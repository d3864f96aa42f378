#include <charconv>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/TestSupport.h"

#include <nlohmann/json.hpp>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

json ReadVerdicts(const std::string& kind, const std::string& path) {
    std::string out, err;
    const int status =
        RunCommand("/usr/bin/python3 '" QUADREL_SOURCE_DIR "/tests/reports/read_verdicts.py' " + kind + " '" +
                       path + "'",
                   &out, &err);
    EXPECT_EQ(status, 0) << err;
    return status == 0 ? json::parse(out) : json();
}

std::string Cli(const TempDir& dir, const std::string& args, int& status) {
    std::string out, err;
    status = RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "config").string() +
                            "' " + args + " '" QUADREL_SOURCE_DIR "/samples/campaign'",
                        &out, &err);
    return status == 0 || status == 4 ? out : err;
}

std::string Fill(const std::string& verdict) {
    return verdict == "PASS" ? "C6EFCE" : verdict == "FAIL" ? "FFC7CE" : "D9D9D9";
}

// Limits around the sample's known values: its FBRco lies between 26.38 and 28.68 dB (port 2 below
// 27), its HBW3 between 64.65° and 68.76°, and nothing is measured above 2170 MHz.
struct DocumentCase {
    const char* name;
    const char* limits;
    const char* verdict;
    std::vector<std::string> summary; // "band indicator verdict"
    int failing;
};

const DocumentCase kCases[] = {
    {"all pass",
     "[[band]]\nname = \"all\"\nfrom = 1710\nto = 2170\n[[band.limit]]\nindicator = \"FBRco\"\nmin = 25\n",
     "PASS",
     {"all FBRco PASS"},
     0},
    {"port 2 below the bound",
     "[[band]]\nname = \"all\"\nfrom = 1710\nto = 2170\n[[band.limit]]\nindicator = \"FBRco\"\nmin = 27\n"
     "[[band.limit]]\nindicator = \"HBW3\"\nnominal = 65\ntolerance = 6\n",
     "FAIL",
     {"all FBRco FAIL", "all HBW3 PASS"},
     2},
    {"band without cut",
     "[[band]]\nname = \"n78\"\nfrom = 3300\nto = 3800\n[[band.limit]]\nindicator = \"HBW3\"\nmin = "
     "50\nports = [1]\n",
     "FAIL",
     {"n78 HBW3 no data"},
     2},
};

TEST(DatasheetDocuments, WorkbookSheetAndReportSectionCarryVerdictsAndFills) {
    for (const DocumentCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string limits = dir.Write("limits.toml", c.limits);
        fs::create_directories(dir.Path() / "out");
        int status = 0;
        const std::string csv = Cli(dir, "check --csv --limits '" + limits + "'", status);
        ASSERT_EQ(status, std::string(c.verdict) == "PASS" ? 0 : 4) << csv;
        const std::string err = Cli(dir,
                                    "export --out '" + (dir.Path() / "out").string() +
                                        "' --result-xlsx --word1 --lang en --limits '" + limits + "'",
                                    status);
        ASSERT_EQ(status, 0) << err;
        const std::string report = (dir.Path() / "out/report/").string();

        // The sheet: the overall verdict, then the groups exactly as `check --csv` gives them.
        const json sheet = ReadVerdicts("xlsx", report + "AnalysisResult_Proj7_QX6518_SN00001_20261208.xlsx");
        const json& rows = sheet["rows"];
        EXPECT_EQ(rows[1][1][0], c.verdict);
        EXPECT_EQ(rows[1][1][2], "FF" + Fill(c.verdict));
        std::istringstream lines(csv);
        std::string line;
        std::getline(lines, line);
        size_t row = 4;
        int failing = 0;
        for (; std::getline(lines, line); ++row) {
            SCOPED_TRACE(line);
            ASSERT_LT(row, rows.size());
            std::vector<std::string> fields;
            std::stringstream split(line);
            for (std::string field; std::getline(split, field, ',');) fields.push_back(field);
            const json& cells = rows[row];
            EXPECT_EQ(cells[4][0], fields[4]);
            EXPECT_EQ(cells[5][0], std::stoi(fields[5]));
            for (int col = 6; col <= 12; ++col) {
                if (fields[col] == "-999") {
                    EXPECT_TRUE(cells[col][0].is_null());
                } else {
                    EXPECT_TRUE(cells[col][1] == "float" || cells[col][1] == "int")
                        << col; // a number, not a text
                    // Read as the CSV is written, whatever the locale.
                    float expected = 0;
                    std::from_chars(fields[col].data(), fields[col].data() + fields[col].size(), expected);
                    EXPECT_EQ(cells[col][0].get<float>(), expected) << col;
                }
            }
            const std::string verdict = fields[13] == "pass"   ? "PASS"
                                        : fields[13] == "fail" ? "FAIL"
                                                               : "no data";
            EXPECT_EQ(cells[13][0], verdict);
            EXPECT_EQ(cells[13][2], "FF" + Fill(verdict));
            failing += verdict != "PASS";
        }
        EXPECT_EQ(row, rows.size());
        EXPECT_EQ(failing, c.failing);

        // The report: the section after the identification, its summary and failing groups.
        const json word = ReadVerdicts("docx", report + "Antenna test report of QX6518.docx");
        const std::string paragraphs = word["paragraphs"].dump();
        EXPECT_NE(paragraphs.find("\"Datasheet conformance\",\"Limits: limits.toml\",\"Verdict: " +
                                  std::string(c.verdict)),
                  std::string::npos)
            << paragraphs;
        std::vector<std::string> summary;
        std::vector<json> groups;
        for (const json& table : word["tables"]) {
            if (table[0][0][0] == "Band" && table[0][1][0] == "Indicator") {
                for (size_t r = 1; r < table.size(); ++r) {
                    const std::string verdict = table[r][7][0];
                    summary.push_back(table[r][0][0].get<std::string>() + " " +
                                      table[r][1][0].get<std::string>() + " " + verdict);
                    EXPECT_EQ(table[r][7][1], Fill(verdict));
                    EXPECT_TRUE(table[r][0][1].is_null()); // only the verdict is filled
                }
            }
            if (table[0][0][0] == "Band" && table[0][1][0] == "Port")
                for (size_t r = 1; r < table.size(); ++r) groups.push_back(table[r]);
        }
        EXPECT_EQ(summary, c.summary);
        ASSERT_EQ(static_cast<int>(groups.size()), c.failing);
        for (const json& g : groups) {
            EXPECT_NE(g[9][0], "PASS");
            EXPECT_EQ(g[9][1], Fill(g[9][0]));
        }
    }
}

TEST(DatasheetDocuments, RefusedLimitsStopTheExport) {
    TempDir dir;
    const std::string limits = dir.Write("bad.toml", "[[band]]\nfrom = 2\nto = 1\n");
    fs::create_directories(dir.Path() / "out");
    int status = 0;
    const std::string err = Cli(
        dir, "export --out '" + (dir.Path() / "out").string() + "' --result-xlsx --limits '" + limits + "'",
        status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.find("bad.toml:1: band from > to"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(dir.Path() / "out/report"));
}

} // namespace
