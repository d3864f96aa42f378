#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

TEST(ProgressOnTerminal, LineIsShownAndErasedOnATerminalAndAbsentElsewhere) {
    TempDir dir;
    const std::string config = (dir.Path() / "config").string();
    const std::string campaign = (dir.Path() / "campaign").string();
    std::string out;
    ASSERT_EQ(RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + config +
                             "' generate --ports 2 --tilts 0 --freqs 1710,1900 --step 2 --out '" + campaign +
                             "'",
                         &out),
              0);
    const std::string outPath = (dir.Path() / "terminal.csv").string();
    int status = -1;
    const std::string terminal =
        RunOnTerminal({QUADREL_CLI_PATH, "--config-dir", config, "--jobs", "1", "analyse", "--csv", campaign},
                      outPath, status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(terminal.find(kErase + "1 of 16 files"), std::string::npos) << terminal;
    // Erased at the end: nothing of the line is left on the screen.
    ASSERT_GE(terminal.size(), kErase.size());
    EXPECT_EQ(terminal.substr(terminal.size() - kErase.size()), kErase);

    std::string piped;
    std::string err;
    ASSERT_EQ(RunCommand("QUADREL_PROGRESS_DELAY=0 " + std::string(QUADREL_CLI_PATH) + " --config-dir '" +
                             config + "' --jobs 1 analyse --csv '" + campaign + "'",
                         &piped, &err),
              0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(ReadFileText(outPath), piped);
}
