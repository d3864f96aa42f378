#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>

#include "support/TestSupport.h"

// Spreading the reading and the analysis over threads must change nothing a user can see: every
// byte of the output, the messages and their order, the exit status and the log stay those of
// the single-threaded run, including a batch that stops at its first refused file.
namespace {
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
    std::string log;                            // without the timestamps
    std::map<std::string, std::string> written; // files below "{out}" and their bytes
};

// `args` may name "{out}": a folder of this run's own, named "{out}" again in the outcome. A
// `blocker` is a file put there first, where the export wants a folder.
Outcome RunWithJobs(const TempDir& dir, int jobs, const std::string& args, const std::string& tag,
                    const std::string& blocker = {}) {
    const std::string run = tag + "-" + std::to_string(jobs);
    const std::filesystem::path state = dir.Path() / ("state-" + run);
    const std::string outFolder = (dir.Path() / ("out-" + run)).string();
    if (args.find("{out}") != std::string::npos) std::filesystem::create_directories(outFolder);
    if (!blocker.empty()) dir.Write("out-" + run + "/" + blocker, "not a folder");
    Outcome o;
    o.status = RunCommand("XDG_STATE_HOME='" + state.string() + "' " + std::string(QUADREL_CLI_PATH) +
                              " --config-dir '" + (dir.Path() / "config").string() + "' --jobs " +
                              std::to_string(jobs) + " " + Replaced(args, "{out}", outFolder),
                          &o.out, &o.err);
    o.out = Replaced(o.out, outFolder, "{out}");
    o.err = Replaced(o.err, outFolder, "{out}");
    if (std::filesystem::exists(outFolder))
        for (const auto& entry : std::filesystem::recursive_directory_iterator(outFolder))
            if (entry.is_regular_file())
                o.written[std::filesystem::relative(entry.path(), outFolder).string()] =
                    ReadFileText(entry.path().string());
    const std::filesystem::path log = state / "quadrel" / "Log.txt";
    if (std::filesystem::exists(log))
        o.log = std::regex_replace(ReadFileText(log.string()), std::regex(R"(\[[0-9: -]+ \])"), "[]");
    return o;
}
} // namespace

TEST(CliJobs, EveryOutputIsThatOfTheSingleThreadedRun) {
    TempDir dir;
    const std::string campaign = (dir.Path() / "campaign").string();
    std::string out;
    ASSERT_EQ(RunCommand(std::string(QUADREL_CLI_PATH) + " generate --out '" + campaign +
                             "' --ports 2 --tilts 0,4 --freqs 1710,1990,2170 --step 1 --seed 3",
                         &out),
              0);
    std::string testFolder;
    for (const auto& entry : std::filesystem::directory_iterator(campaign))
        if (entry.path().filename().string().find('_') != std::string::npos && entry.is_directory())
            testFolder = entry.path().string();
    ASSERT_FALSE(testFolder.empty());

    // A second test folder whose batch is refused in the middle: an empty file sorts between good
    // ones, and a folder whose name cannot be split sorts after it.
    const std::string refusedCampaign = (dir.Path() / "refused").string();
    std::filesystem::create_directories(refusedCampaign);
    std::filesystem::copy(testFolder, refusedCampaign + "/Lab_P_M_20261208_B_SN",
                          std::filesystem::copy_options::recursive);
    dir.Write("refused/Lab_P_M_20261208_B_SN/p1_p45_h_co_0_0_1990a.msi", "");
    std::filesystem::copy(testFolder, refusedCampaign + "/zz_badly_named",
                          std::filesystem::copy_options::recursive);

    // Four ports: two pairs of them map to one planning-file name, so later inputs lose their
    // name to earlier ones, and the blocked text files fail; both are told in input order.
    const std::string clashing = (dir.Path() / "clashing").string();
    ASSERT_EQ(RunCommand(std::string(QUADREL_CLI_PATH) + " generate --out '" + clashing +
                             "' --ports 4 --tilts 0 --freqs 1710,1990 --step 1 --seed 5",
                         &out),
              0);

    struct Case {
        std::string tag;
        std::string args;
        int status;
        std::string blocker;
    };
    const Case cases[] = {
        {"analyse-json", "analyse --json '" + campaign + "'", 0},
        {"analyse-csv", "analyse --csv '" + campaign + "'", 0},
        {"analyse-text", "analyse '" + campaign + "'", 0},
        {"load-json", "load --json '" + campaign + "'", 0},
        {"export", "export --out '{out}' --pln --txt --xml --msi --tmvmsi '" + campaign + "'", 0},
        {"refused-analyse", "analyse --json '" + refusedCampaign + "'", 3},
        {"refused-load", "load '" + refusedCampaign + "'", 3},
        {"export-clashes", "export --out '{out}' --pln --txt --xml --msi --tmvmsi '" + clashing + "'", 1,
         "TXT"},
    };
    for (const Case& c : cases) {
        const Outcome single = RunWithJobs(dir, 1, c.args, c.tag, c.blocker);
        EXPECT_EQ(single.status, c.status) << c.tag << "\n" << single.err;
        for (int jobs : {2, 3}) {
            const Outcome parallel = RunWithJobs(dir, jobs, c.args, c.tag, c.blocker);
            EXPECT_EQ(parallel.status, single.status) << c.tag << " --jobs " << jobs;
            EXPECT_EQ(parallel.out, single.out) << c.tag << " --jobs " << jobs;
            EXPECT_EQ(parallel.err, single.err) << c.tag << " --jobs " << jobs;
            EXPECT_EQ(parallel.log, single.log) << c.tag << " --jobs " << jobs;
            EXPECT_EQ(parallel.written, single.written) << c.tag << " --jobs " << jobs;
        }
    }
    const Outcome clashes = RunWithJobs(dir, 2, cases[std::size(cases) - 1].args, "check-clashes", "TXT");
    EXPECT_NE(clashes.err.find("maps to the same file and was not written"), std::string::npos)
        << clashes.err;
    EXPECT_NE(clashes.err.find("Export failed"), std::string::npos) << clashes.err;
    // The refused batch printed only what was loaded before the empty file.
    const Outcome refused = RunWithJobs(dir, 2, "load '" + refusedCampaign + "'", "check");
    EXPECT_NE(refused.err.find("1990a.msi: the file is empty"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out.find("zz_badly_named"), std::string::npos);
    EXPECT_EQ(refused.out.find("p1_p45_h_co_0_0_2170"), std::string::npos);
}
