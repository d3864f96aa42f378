// The import command and the warnings that keep the measurement commands from garbling a file
// silently, as a user at the shell meets them.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
std::string PlanningText(const char* eol) {
    std::string text = std::string("NAME\tB1\r\nMAKE\tAcme\r\nFREQUENCY\t851\r\nGAIN\t13.6 dBd\r\n") +
                       "HORIZONTAL 360" + eol;
    for (int a = 0; a < 360; ++a)
        text += std::to_string(a) + "\t" + std::to_string(std::abs(a > 180 ? a - 360 : a) / 6.0) + eol;
    text += std::string("VERTICAL 360") + eol;
    for (int a = 0; a < 360; ++a)
        text += std::to_string(a) + "\t" + std::to_string(std::abs(a > 180 ? a - 360 : a) / 2.0) + eol;
    return text;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
} // namespace

TEST(ImportCli, ImportsRefusesAndPointsToImport) {
    TempDir dir;
    const std::string root = dir.Path().string();
    dir.Write("in/B1.pln", PlanningText("\r\n"));
    dir.Write("in/bad.txt", "FREQUENCY 851\nHORIZONTAL 2\n0 0\n1 one\n");
    dir.Write("plnonly/B2.pln", PlanningText("\n"));
    // A vendor file put where the lab's cuts go: loaded by the format rules, with its doubts named.
    dir.Write("Lab_P_M_20260101_B1_SN1/p1_p45_h_co_0_0_851.msi",
              "NAME B1\nFREQUENCY 851\nH_WIDTH 65\nGAIN 13.6 dBd\nTILT\nPOLARIZATION +45\nHORIZONTAL 360\n  "
              "0.00   1.00\n");
    struct Case {
        const char* what;
        std::string args;
        int status;
        std::string errPart;
    } cases[] = {
        {"planning file", "import --out '" + root + "/out' '" + root + "/in/B1.pln'", 0, ""},
        {"bad file, named with its line", "import --out '" + root + "/bad' '" + root + "/in'", 3,
         "bad.txt:4: expected an angle"},
        {"polarisation outside the choice",
         "import --pol Q45 --out '" + root + "/o2' '" + root + "/in/B1.pln'", 2, "--pol"},
        {"planning file given to load", "load '" + root + "/in/B1.pln'", 3, "quadrel-cli import"},
        {"folder of planning files given to analyse", "analyse '" + root + "/plnonly'", 1,
         "quadrel-cli import"},
        {"garbled measurement file", "load '" + root + "/Lab_P_M_20260101_B1_SN1'", 0, "warning: "},
    };
    for (const auto& c : cases) {
        std::string out, err;
        const int status = RunCommand(
            "'" + std::string(QUADREL_CLI_PATH) + "' --config-dir '" + root + "/cfg' " + c.args, &out, &err);
        EXPECT_EQ(status, c.status) << c.what << "\n" << err;
        EXPECT_TRUE(Has(err, c.errPart)) << c.what << "\n" << err;
    }
    EXPECT_FALSE(fs::exists(root + "/bad"));

    // The imported folder is a measurement every command handles; its cuts carry no doubt.
    std::string out, err;
    ASSERT_EQ(RunCommand("'" + std::string(QUADREL_CLI_PATH) + "' --config-dir '" + root +
                             "/cfg' analyse --json '" + root + "/out'",
                         &out, &err),
              0)
        << err;
    const auto analysed = nlohmann::json::parse(out);
    ASSERT_EQ(analysed["files"].size(), 2u);
    for (const auto& file : analysed["files"]) {
        EXPECT_EQ(file["warnings"], nlohmann::json::array());
        EXPECT_NEAR(file["Gain"].get<double>(), 15.75, 1e-4);
    }
    EXPECT_NEAR(analysed["files"][1]["HBW3"].get<double>(), 36.0, 0.01); // 3 dB at 18 degrees either side

    ASSERT_EQ(RunCommand("'" + std::string(QUADREL_CLI_PATH) + "' --config-dir '" + root +
                             "/cfg' load --json '" + root + "/Lab_P_M_20260101_B1_SN1'",
                         &out, &err),
              0);
    const auto loaded = nlohmann::json::parse(out);
    ASSERT_EQ(loaded["files"].size(), 1u);
    const auto& warnings = loaded["files"][0]["warnings"];
    ASSERT_GE(warnings.size(), 2u);
    EXPECT_TRUE(Has(warnings[0].get<std::string>(), "begins with a blank")) << warnings;
    EXPECT_EQ(loaded["warnings"].size(), warnings.size());
}

// Two imports that give the same cut names, started together into one output folder: one wins and
// the other names the clash; the antenna folder never holds one file's horizontal cut and the
// other's vertical cut.
TEST(ImportCli, RacingImportsNeverMixTheirCuts) {
    TempDir dir;
    const std::string root = dir.Path().string();
    dir.Write("in/A.pln", PlanningText("\n"));
    std::string other = PlanningText("\n");
    other.replace(other.find("13.6 dBd"), 8, "10.0 dBd");
    dir.Write("in/B.pln", other);
    auto cli = [&root](const char* config) {
        return "'" + std::string(QUADREL_CLI_PATH) + "' --config-dir '" + root + "/" + config +
               "' import --model M ";
    };
    constexpr int kRounds = 40;
    int wonByA = 0, wonByB = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string out = root + "/out" + std::to_string(round);
        const std::string script = "( " + cli("cfgA") + "--out '" + out + "' '" + root + "/in/A.pln' 2>'" +
                                   out + ".a'; echo $? >'" + out + ".sa' ) & ( " + cli("cfgB") + "--out '" +
                                   out + "' '" + root + "/in/B.pln' 2>'" + out + ".b'; echo $? >'" + out +
                                   ".sb' ) & wait";
        ASSERT_EQ(RunCommand(script, nullptr, nullptr), 0);
        const int statusA = std::stoi(ReadFileText(out + ".sa"));
        const int statusB = std::stoi(ReadFileText(out + ".sb"));
        ASSERT_EQ((statusA == 0) + (statusB == 0), 1) << "round " << round;
        const std::string loserErr = ReadFileText(out + (statusA == 0 ? ".b" : ".a"));
        EXPECT_TRUE(Has(loserErr, "exists already")) << loserErr;
        (statusA == 0 ? wonByA : wonByB)++;
        // Both cuts come from the winner, and nothing else (no leftover of the loser) is there.
        std::vector<std::string> cuts;
        for (const auto& entry : fs::recursive_directory_iterator(out)) cuts.push_back(entry.path().string());
        ASSERT_EQ(cuts.size(), 3u) << "round " << round; // the antenna folder and its two cuts
        const std::string winner = statusA == 0 ? "imported from A.pln" : "imported from B.pln";
        for (const std::string& cut : cuts)
            if (fs::is_regular_file(cut)) EXPECT_TRUE(Has(ReadFileText(cut), winner)) << cut;
    }
    std::cout << "races won by A: " << wonByA << ", by B: " << wonByB << "\n";
}
