#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/Log.h"
#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {

class LogTest : public ::testing::Test {
  protected:
    void SetUp() override { SetLogPath(path); }
    void TearDown() override { SetLogPath((dir.Path() / "closed.txt").string()); }
    TempDir dir;
    std::string path = (dir.Path() / "state" / "quadrel" / "Log.txt").string(); // folder missing at first
};

TEST_F(LogTest, EntryIsTimestampBlankBracketThenText) {
    Log("Quadrel Unit log - COleException. SCODE: %08lx.\r\n", 0x80004005UL);
    Log("FSU Error! \r\n");
    const std::string text = ReadFileText(path);
    const std::regex entry(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} \] )");
    const std::vector<std::string> lines = SplitAll(text, '\n');
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(std::regex_search(lines[0], entry));
    EXPECT_EQ(lines[0].substr(23), "Quadrel Unit log - COleException. SCODE: 80004005.\r");
    EXPECT_EQ(lines[1].substr(23), "FSU Error! \r");
    EXPECT_EQ(lines[2], "");
}

TEST_F(LogTest, BurstSharesOneOpeningALaterEntryReopens) {
    const int before = LogOpeningCount();
    Log("one\n");
    Log("two\n");
    EXPECT_EQ(LogOpeningCount(), before + 1);
    EXPECT_TRUE(LogFileIsOpen());
    std::this_thread::sleep_for(std::chrono::milliseconds(1050));
    Log("three\n"); // still the first opening, which is now old enough to close
    EXPECT_EQ(LogOpeningCount(), before + 1);
    EXPECT_FALSE(LogFileIsOpen());
    Log("four\n");
    EXPECT_EQ(LogOpeningCount(), before + 2);
    const std::string text = ReadFileText(path);
    EXPECT_EQ(SplitAll(text, '\n').size(), 5u);
    EXPECT_TRUE(Contains(text, "] four\n"));
}

TEST_F(LogTest, LongMessagesAreCutToTheEntryBuffer) {
    Log("%s", std::string(10000, 'x').c_str());
    EXPECT_EQ(ReadFileText(path).size(), 4095u);
    // A cut never splits a character: 3-byte characters leave a whole number of them.
    SetLogPath((dir.Path() / "wide.txt").string());
    std::string wide;
    for (int i = 0; i < 3000; ++i) wide += "角";
    Log("%s", wide.c_str());
    const std::string text = ReadFileText((dir.Path() / "wide.txt").string());
    ASSERT_GT(text.size(), 4090u);
    ASSERT_LE(text.size(), 4095u);
    EXPECT_EQ((text.size() - 23) % 3, 0u);
}

TEST_F(LogTest, UnknownFreeSpaceDropsEntriesSilently) {
    const std::string blocked = dir.Write("plainfile", "x") + "/sub/Log.txt";
    SetLogPath(blocked);
    const int before = LogOpeningCount();
    Log("lost\n");
    EXPECT_EQ(LogOpeningCount(), before);
    EXPECT_FALSE(LogFileIsOpen());
}

TEST_F(LogTest, ConcurrentEntriesStayWhole) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i) Log("thread %d entry %d of a longer line\n", t, i);
        });
    for (auto& thread : threads) thread.join();
    const std::vector<std::string> lines = SplitAll(ReadFileText(path), '\n');
    ASSERT_EQ(lines.size(), 201u);
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(EndsWith(lines[i], "of a longer line")) << lines[i];
}

TEST(LogPathTest, DefaultFollowsXdgStateHome) {
    TempDir dir;
    const char* old = std::getenv("XDG_STATE_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_STATE_HOME", dir.Path().c_str(), 1);
    SetLogPath("");
    EXPECT_EQ(LogPath(), dir.Path().string() + "/quadrel/Log.txt");
    setenv("XDG_STATE_HOME", "relative/ignored", 1);
    EXPECT_TRUE(EndsWith(LogPath(), "/.local/state/quadrel/Log.txt"));
    if (old)
        setenv("XDG_STATE_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_STATE_HOME");
    SetLogPath((dir.Path() / "Log.txt").string());
}

} // namespace

namespace {
// Runs `work` in a child process with stderr in a file; false when it did not end within seconds.
bool RunInChild(const std::function<void()>& work, const std::string& errFile, int& status) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::freopen(errFile.c_str(), "w", stderr);
        work();
        std::fflush(stderr);
        ::_exit(0);
    }
    for (int waited = 0; waited < 100; ++waited) {
        if (::waitpid(child, &status, WNOHANG) == child) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return false;
}
} // namespace

// A log that is not a regular file never stops the program: one warning, and the entries go on to
// wherever the log goes next.
TEST(LogTargetTest, ANonRegularLogIsToldOnceAndNeverWaitedOn) {
    TempDir dir;
    const std::string fifo = (dir.Path() / "fifo.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directories(dir.Path() / "folder.txt");
    const std::string cases[] = {fifo, (dir.Path() / "folder.txt").string(), "/dev/null"};
    for (const std::string& target : cases) {
        SCOPED_TRACE(target);
        const std::string errFile = (dir.Path() / "err.txt").string();
        const std::string later = (dir.Path() / "later.txt").string();
        std::filesystem::remove(later);
        int status = 0;
        ASSERT_TRUE(RunInChild(
            [&] {
                SetLogPath(target);
                Log("first\n");
                Log("second\n");
                SetLogPath(later);
                Log("third\n");
            },
            errFile, status))
            << "the log hung";
        EXPECT_EQ(status, 0);
        EXPECT_EQ(ReadFileText(errFile),
                  "warning: " + target + ": not a regular file; the log is not written there\n");
        EXPECT_NE(ReadFileText(later).find("third"), std::string::npos);
    }
}
