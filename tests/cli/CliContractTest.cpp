// The command-line contract under hostile conditions: every failure is named and ends in a
// non-zero status, every accepted spelling works.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

const std::string kTest = "Lab_Proj_QX65_20261208_B01_SN1";

std::string Cut(const std::string& gain = "15 dBi") {
    std::string text =
        "NAME T\r\nFREQUENCY 1800\r\nGAIN " + gain + "\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
    for (int a = 0; a < 360; a += 10)
        text += std::to_string(a) + " " + std::to_string((a % 180) / 10) + "\r\n";
    return text;
}

struct CliFixture : ::testing::Test {
    TempDir dir;
    std::string Root() const { return dir.Path().string(); }
    Outcome Run(const std::string& args, bool configFirst = true) const {
        const std::string config = "--config-dir '" + Root() + "/config' ";
        Outcome o;
        // In braces, so that a redirection inside `args` wins over the capture of the output.
        o.status = RunCommand("{ " + std::string(QUADREL_CLI_PATH) + " " +
                                  (configFirst ? config + args : args) + "; }",
                              &o.out, &o.err);
        return o;
    }
    void Campaign() const {
        for (const char* name :
             {"p1_p45_h_co_6_0_1800.msi", "p1_p45_e_co_6_0_1800.msi", "p2_m45_h_co_6_0_1800.msi"})
            dir.Write(kTest + "/" + name, Cut());
    }
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
} // namespace

TEST_F(CliFixture, FailuresAreNamedAndNeverExitZero) {
    Campaign();
    const std::string test = Root() + "/" + kTest;
    struct Case {
        const char* what;
        std::function<void()> setup;
        std::string args;
        int status;
        std::string errPart;
    } cases[] = {
        {"output to a full device", [] {}, "analyse --csv '" + test + "' > /dev/full", 1,
         "cannot write the output"},
        {"json to a full device", [] {}, "load --json '" + test + "' > /dev/full", 1,
         "cannot write the output"},
        {"results to a full device", [] {}, "results --pane all '" + test + "' > /dev/full", 1,
         "cannot write the output"},
        {"empty file", [&] { dir.Write("e/" + kTest + "/p9_p45_h_co_6_0_1800.msi", ""); },
         "load '" + Root() + "/e'", 3, "p9_p45_h_co_6_0_1800.msi: the file is empty"},
        {"named pipe given as a file",
         [&] {
             fs::create_directories(dir.Path() / "d" / kTest);
             ::mkfifo((dir.Path() / "d" / kTest / "x.msi").c_str(), 0600);
         },
         "load '" + Root() + "/d/" + kTest + "/x.msi'", 1, "x.msi: not a regular file"},
        {"folder without patterns", [&] { fs::create_directories(dir.Path() / "none"); },
         "load '" + Root() + "/none'", 1, "no pattern file"},
        {"folder nested too deeply",
         [&] {
             std::string deep = "deep";
             for (int i = 0; i < 70; ++i) deep += "/d";
             dir.Write(deep + "/" + kTest + "/p1_p45_h_co_6_0_1800.msi", Cut());
             dir.Write("deep/" + kTest + "/p1_p45_h_co_6_0_1800.msi", Cut());
         },
         "load '" + Root() + "/deep'", 1, "nested too deeply"},
        {"generate into a campaign", [] {}, "generate --out '" + Root() + "'", 1, "not empty"},
    };
    for (const Case& c : cases) {
        c.setup();
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.status, c.status) << c.what << "\n" << o.err;
        EXPECT_TRUE(Has(o.err, c.errPart)) << c.what << "\n" << o.err;
    }
    // The refused file's described message stays as it was, on a line of its own.
    const Outcome refused = Run("load '" + Root() + "/e'");
    EXPECT_EQ(refused.err.substr(0, refused.err.find('\n')),
              "quadrel-cli: refused " + Root() + "/e/" + kTest +
                  "/p9_p45_h_co_6_0_1800.msi: the file is empty");
}

TEST_F(CliFixture, AcceptedSpellings) {
    Campaign();
    const std::string file = Root() + "/" + kTest + "/p1_p45_h_co_6_0_1800.msi";
    const std::string backslashed = Root() + "/" + kTest + "\\p1_p45_h_co_6_0_1800.msi";
    struct Case {
        const char* what;
        std::string args;
        bool configFirst;
        std::string outPart;
    } cases[] = {
        {"backslash separator", "load '" + backslashed + "'", true, "loaded 1 files"},
        {"--config-dir after the command", "load --config-dir '" + Root() + "/config' '" + file + "'", false,
         "loaded 1 files"},
        {"--version", "--version", false, "0."},
        {"select spelled with ./",
         "plot --select '" + Root() + "/./" + kTest + "/p1_p45_h_co_6_0_1800.msi' --out '" + Root() +
             "/p.png' '" + Root() + "/" + kTest + "'",
         true, ""},
    };
    for (const Case& c : cases) {
        const Outcome o = Run(c.args, c.configFirst);
        EXPECT_EQ(o.status, 0) << c.what << "\n" << o.err;
        EXPECT_TRUE(Has(o.out, c.outPart)) << c.what << "\n" << o.out;
    }
    const auto json = nlohmann::json::parse(Run("analyse --json '" + file + "'").out);
    EXPECT_EQ(json["version"], Run("--version", false).out.substr(0, Run("--version", false).out.find('\n')));
}

TEST_F(CliFixture, OutputsKeepOneRecordPerLine) {
    // A tab and a line feed in a file name must not split a column or a line.
    dir.Write(kTest + "/p1_p45_h_co_6_0_1800\tx\ny.msi", Cut());
    const Outcome load = Run("load '" + Root() + "/" + kTest + "'");
    EXPECT_TRUE(Has(load.out, "p1_p45_h_co_6_0_1800\\tx\\ny.msi")) << load.out;
    const Outcome csv = Run("analyse --csv '" + Root() + "/" + kTest + "'");
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 2) << csv.out;

    // Many files: the current pane shows nothing, and says why.
    Campaign();
    const Outcome results = Run("results '" + Root() + "/" + kTest + "'");
    EXPECT_EQ(results.status, 0);
    EXPECT_TRUE(Has(results.err, "--pane all")) << results.err;

    // The export notice is one message, so one line.
    fs::create_directories(dir.Path() / "out");
    const Outcome exported = Run("export --pln --out '" + Root() + "/out' '" + Root() + "/" + kTest + "'");
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(Has(exported.err,
                    "Norvan: 1.Exporting data may last a long time,the status bar would show the "
                    "state information; 2.During"))
        << exported.err;
}

TEST_F(CliFixture, GenerateForceEmptiesTheFolderFirst) {
    const std::string out = Root() + "/campaign";
    dir.Write("campaign/stale.msi", "old");
    EXPECT_EQ(Run("generate --out '" + out + "' --ports 1 --tilts 2 --freqs 1800").status, 1);
    EXPECT_TRUE(fs::exists(out + "/stale.msi"));
    const Outcome forced = Run("generate --force --out '" + out + "' --ports 1 --tilts 2 --freqs 1800");
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_FALSE(fs::exists(out + "/stale.msi"));
    EXPECT_TRUE(fs::exists(out + "/truth.json"));
}

TEST_F(CliFixture, StreamedJsonIsLaidOutAsTheTreeWriterLaysItOut) {
    // Values across the layouts of a double: exponent forms, small fractions, whole numbers.
    dir.Write(kTest + "/p1_p45_h_co_6_0_1800.msi",
              "NAME T\r\nFREQUENCY 1e20\r\nGAIN 0.001 dBi\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n"
              "0 0.00001\r\n1 -0\r\n2 123456789\r\n3 1e-7\r\n4 3.5e16\r\n5 0.5\r\n6 1e15\r\n7 12.25\r\n");
    dir.Write("config/Envelope/fsu.txt", "Angle(deg) Level(dB) FSU envelope\r\n-10 -18\r\n");
    for (const std::string command : {"load --json", "analyse --json"}) {
        const Outcome o = Run(command + " '" + Root() + "/" + kTest + "'");
        ASSERT_EQ(o.status, 0) << o.err;
        const std::string relaid = nlohmann::json::parse(o.out).dump(1) + "\n";
        EXPECT_EQ(o.out, relaid) << command;
    }
}

TEST_F(CliFixture, UnusableConfigurationGivesTheShippedResultsAndAWarning) {
    Campaign();
    const std::string test = "analyse --csv '" + Root() + "/" + kTest + "'";
    const Outcome normal = Run(test);
    dir.Write("corrupt/Config.xml", "<ConfigApp><IDD_DIALOG_H_SETUP>");
    const std::string plainFile = dir.Write("plainfile", "x");
    for (const std::string& config : {Root() + "/corrupt", plainFile}) {
        const Outcome o = Run("--config-dir '" + config + "' " + test, false);
        EXPECT_EQ(o.status, 0) << config << "\n" << o.err;
        EXPECT_EQ(o.out, normal.out) << config;
        EXPECT_TRUE(Has(o.err, "warning: ")) << config << "\n" << o.err;
    }
    EXPECT_EQ(ReadFileText(Root() + "/corrupt/Config.xml"), "<ConfigApp><IDD_DIALOG_H_SETUP>");
}
