#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {
const std::string kErase = "\r\x1b[K";

// Everything the command writes to a terminal on stderr, while its stdout goes to `outPath`.
std::string RunOnTerminal(const std::vector<std::string>& args, const std::string& outPath, int& status) {
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        // No wait before the line, so a run of a fraction of a second shows it.
        setenv("QUADREL_PROGRESS_DELAY", "0", 1);
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    std::string text;
    char buffer[4096];
    // Once the command has ended, reading the terminal's other side fails.
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(master);
    waitpid(pid, &status, 0);
    return text;
}
} // namespace

// One generated campaign, and its PLN files as planning files to import, shared by every case.
struct ProgressCampaign {
    ProgressCampaign() {
        const std::string cli = std::string(QUADREL_CLI_PATH) + " --config-dir '" + Config() + "' ";
        std::string out;
        std::filesystem::create_directories(Planning());
        if (RunCommand(cli + "generate --ports 2 --tilts 0 --freqs 1710,1900 --step 2 --out '" + Campaign() +
                           "'",
                       &out) != 0 ||
            RunCommand(cli + "export --out '" + Planning() + "' --pln '" + Campaign() + "'", &out) != 0)
            throw std::runtime_error("the campaign could not be made");
    }
    std::string Config() const { return (dir.Path() / "config").string(); }
    std::string Campaign() const { return (dir.Path() / "campaign").string(); }
    std::string Planning() const { return (dir.Path() / "planning").string(); }
    TempDir dir;
};

const ProgressCampaign& SharedProgressCampaign() {
    static const ProgressCampaign campaign;
    return campaign;
}

struct ProgressCase {
    const char* name;
    std::vector<std::string> args; // after the program's global options; see Expand
    const char* firstStep;
    int status = 0;
};

class ProgressOnTerminal : public testing::TestWithParam<ProgressCase> {};

// A long run on a terminal shows the line and erases it at the end; with stderr not a terminal
// nothing of it is written, and stdout is the same either way.
TEST_P(ProgressOnTerminal, LineIsShownAndErasedOnATerminalAndAbsentElsewhere) {
    const ProgressCampaign& c = SharedProgressCampaign();
    TempDir dir;
    const auto expand = [&](const std::string& arg, const std::string& out) {
        if (arg == "CAMPAIGN") return c.Campaign();
        if (arg == "PLANNING") return c.Planning() + "/PLN";
        if (arg == "LIMITS") return std::string(QUADREL_SOURCE_DIR) + "/resources/limits/QX6518.toml";
        if (arg == "OUT") {
            std::filesystem::create_directories(dir.Path() / out);
            return (dir.Path() / out).string();
        }
        return arg;
    };
    std::vector<std::string> args{QUADREL_CLI_PATH, "--config-dir", c.Config(), "--jobs", "1"};
    std::string piped = "QUADREL_PROGRESS_DELAY=0 " + std::string(QUADREL_CLI_PATH) + " --config-dir '" +
                        c.Config() + "' --jobs 1";
    for (const std::string& arg : GetParam().args) {
        args.push_back(expand(arg, "terminal"));
        piped += " '" + expand(arg, "piped") + "'";
    }
    const std::string outPath = (dir.Path() / "terminal.out").string();
    int status = -1;
    const std::string terminal = RunOnTerminal(args, outPath, status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), GetParam().status) << terminal;
    EXPECT_NE(terminal.find(kErase + GetParam().firstStep), std::string::npos) << terminal;
    // Erased at the end: nothing of the line is left on the screen (messages may follow it).
    const std::string ofTotal = std::string(GetParam().firstStep).substr(1);
    EXPECT_EQ(terminal.substr(terminal.rfind(kErase)).find(ofTotal), std::string::npos) << terminal;

    std::string out;
    std::string err;
    ASSERT_EQ(RunCommand(piped, &out, &err), GetParam().status);
    EXPECT_EQ(err.find("\x1b"), std::string::npos) << err;
    EXPECT_EQ(err.find(" files"), std::string::npos) << err;
    const std::string terminalOut = ReadFileText(outPath);
    EXPECT_EQ(ReplaceAll(terminalOut, (dir.Path() / "terminal").string(), "OUT"),
              ReplaceAll(out, (dir.Path() / "piped").string(), "OUT"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgressOnTerminal,
    testing::Values(ProgressCase{"Load", {"load", "CAMPAIGN"}, "1 of 16 files"},
                    ProgressCase{"Analyse", {"analyse", "--csv", "CAMPAIGN"}, "1 of 16 files"},
                    ProgressCase{"Export", {"export", "--out", "OUT", "--pln", "CAMPAIGN"}, "1 of 16 files"},
                    ProgressCase{
                        "Check", {"check", "--limits", "LIMITS", "--csv", "CAMPAIGN"}, "1 of 16 files", 4},
                    ProgressCase{"Import", {"import", "--out", "OUT", "PLANNING"}, "1 of 4 files"}),
    [](const testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });
