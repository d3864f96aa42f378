#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/ConfigStore.h"
#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class ResultsCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        std::string out;
        const int status = RunCommand(Cli("generate --out '" + (s_dir->Path() / "m").string() +
                                          "' --ports 2 --tilts 0 --freqs 1800 --seed 7"),
                                      &out);
        ASSERT_EQ(status, 0) << out;
        for (const auto& entry : std::filesystem::directory_iterator(s_dir->Path() / "m"))
            if (entry.is_directory() && Contains(entry.path().filename().string(), "_"))
                s_test = entry.path().string();
    }
    static void TearDownTestSuite() { delete s_dir; }

    static std::string Cli(const std::string& args) {
        return std::string(QUADREL_CLI_PATH) + " --config-dir '" + (s_dir->Path() / "config").string() +
               "' " + args;
    }
    static CliRun Run(const std::string& args) {
        CliRun run;
        run.status = RunCommand(Cli(args), &run.out, &run.err);
        return run;
    }
    static std::string Cut(const std::string& name) { return "'" + s_test + "/" + name + "'"; }

    static TempDir* s_dir;
    static std::string s_test;
};
TempDir* ResultsCommand::s_dir = nullptr;
std::string ResultsCommand::s_test;

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines = SplitAll(text, '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

TEST_F(ResultsCommand, CurrentPaneOfOneSelectedCut) {
    CliRun run = Run("results --select " + Cut("p1_p45_h_co_0_0_1800.msi") + " '" + s_test + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = LinesOf(run.out);
    ASSERT_GE(lines.size(), 5u) << run.out;
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1].rfind("Antenna type : ", 0), 0u);
    EXPECT_EQ(lines[1].substr(15), ToUpper(lines[1].substr(15))); // the model, upper-cased
    EXPECT_EQ(lines[2], "File Name : p1_p45_h_co_0_0_1800");
    EXPECT_EQ(lines[3].rfind("Date : ", 0), 0u);
    // The shipped selection shows the horizontal beamwidth; the analysis ran before printing.
    const auto hbw =
        std::find_if(lines.begin(), lines.end(), [](auto& l) { return l.rfind("HBW : ", 0) == 0; });
    ASSERT_NE(hbw, lines.end());
    EXPECT_NE(*hbw, "HBW : -999.00°");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "=====Mark Information====="), 0);
}

TEST_F(ResultsCommand, AllPaneOfEveryLoadedFile) {
    CliRun run = Run("results --pane all '" + s_test + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = LinesOf(run.out);
    ASSERT_EQ(lines.size(), 28u);
    const auto names = SplitAll(lines[0], '\t');
    ASSERT_EQ(names.size(), 8u); // two ports, two planes, two components
    EXPECT_EQ(names[0], "File Name : p1_p45_e_co_0_0_1800.msi");
    for (const std::string& line : lines) EXPECT_EQ(SplitAll(line, '\t').size(), 8u);
    EXPECT_EQ(lines[1], std::string(7, '\t'));
    // Eight files selected: the Current Results pane stays empty.
    EXPECT_EQ(Run("results '" + s_test + "'").out, "");
}

TEST_F(ResultsCommand, SelectionGrowsByTheStoredPartnerToggles) {
    TempDir config;
    ConfigStore store((config.Path() / "Config.xml").string());
    store.WriteConfig("ID_MENU", "ID_REL_M_C", "TRUE");
    store.WriteConfig("ID_MENU", "ID_XPD0", "TRUE");
    CliRun run;
    run.status = RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + config.Path().string() +
                                "' results --select " + Cut("p2_m45_h_co_0_0_1800.msi") + " '" + s_test + "'",
                            &run.out, &run.err);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = LinesOf(run.out);
    ASSERT_EQ(lines.size(), 7u) << run.out; // only ID_XPD0 is on in this configuration
    EXPECT_EQ(lines[2], "File Name : p2_m45_h_co_0_0_1800");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "File Name : p2_m45_h_cr_0_0_1800");
    EXPECT_EQ(lines[6].rfind("XPD 0 : ", 0), 0u);

    // The rows of one click come in list order, not in the order the arguments name them.
    CliRun reversed;
    reversed.status = RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + config.Path().string() +
                                     "' results --select " + Cut("p2_m45_h_cr_0_0_1800.msi") + " --select " +
                                     Cut("p2_m45_h_co_0_0_1800.msi") + " '" + s_test + "'",
                                 &reversed.out, &reversed.err);
    ASSERT_EQ(reversed.status, 0) << reversed.err;
    EXPECT_EQ(reversed.out, run.out);
}

TEST_F(ResultsCommand, UsageErrors) {
    EXPECT_EQ(Run("results --pane side '" + s_test + "'").status, 2);
    EXPECT_EQ(Run("results").status, 2);
    CliRun run = Run("results --select /no/such.msi '" + s_test + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("/no/such.msi"), std::string::npos);
}
} // namespace
