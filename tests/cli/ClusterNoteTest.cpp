#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
// The README's cluster note: its Slurm block and its xargs line, as the user would copy them.
struct ClusterNote {
    std::vector<std::string> slurmBlock;
    std::string xargsLine;
};

std::string ReplaceEvery(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

ClusterNote ReadClusterNote() {
    const std::string readme = ReadFileText(std::string(QUADREL_SOURCE_DIR) + "/README.md");
    const size_t section = readme.find("Spreading a lab's archive over a cluster");
    if (section == std::string::npos) throw std::runtime_error("the README has no cluster note");
    ClusterNote note;
    const size_t blockStart = readme.find("```\n", section) + 4;
    const size_t blockEnd = readme.find("```", blockStart);
    std::string block = readme.substr(blockStart, blockEnd - blockStart);
    size_t lineStart = 0;
    for (size_t end; (end = block.find('\n', lineStart)) != std::string::npos; lineStart = end + 1)
        note.slurmBlock.push_back(block.substr(lineStart, end - lineStart));
    const size_t xargsStart = readme.find("`ls -d", blockEnd) + 1;
    const size_t xargsEnd = readme.find('`', xargsStart);
    note.xargsLine = ReplaceEvery(readme.substr(xargsStart, xargsEnd - xargsStart), "\n", " ");
    return note;
}

struct Shell {
    int status;
    std::string out;
    std::string err;
};

class ClusterNoteRun : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(m_dir.Path() / "bin");
        fs::create_symlink(QUADREL_CLI_PATH, m_dir.Path() / "bin" / "quadrel-cli");
        const Shell generated =
            Run("quadrel-cli generate --ports 2 --tilts 0 --freqs 1710,1900 --step 2 --out campaign");
        ASSERT_EQ(generated.status, 0) << generated.err;
        // Three antennas of one archive, beside the campaign's gain-level folder.
        fs::create_directories(Archive());
        fs::copy(m_dir.Path() / "campaign" / "Gain Level", Archive() / "Gain Level",
                 fs::copy_options::recursive);
        for (const auto& entry : fs::directory_iterator(m_dir.Path() / "campaign")) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_directory() || name == "Gain Level" || name == "Envelope") continue;
            for (const char* serial : {"SN7", "SN8", "SN9"}) {
                const fs::path folder =
                    Archive() / std::regex_replace(name, std::regex("_[^_]*$"), "_" + std::string(serial));
                fs::copy(entry.path(), folder);
                m_testFolders.push_back(folder);
            }
        }
        fs::create_directories(m_dir.Path() / "work" / "results");
    }

    fs::path Archive() const { return m_dir.Path() / "archive"; }

    // `command` through sh in the work folder, the CLI first on the PATH, its configuration in here.
    Shell Run(const std::string& command, const std::string& environment = "") const {
        Shell run;
        const std::string script = "cd '" + (m_dir.Path() / "work").string() + "' 2>/dev/null || cd '" +
                                   m_dir.Path().string() + "'; PATH='" + (m_dir.Path() / "bin").string() +
                                   "':\"$PATH\" QUADREL_CONFIG_DIR='" + (m_dir.Path() / "config").string() +
                                   "' " + environment + " sh -c " + Quote(command);
        run.status = RunCommand(script, &run.out, &run.err);
        return run;
    }

    static std::string Quote(const std::string& text) { return "'" + ReplaceEvery(text, "'", "'\\''") + "'"; }

    std::string OnArchive(const std::string& line) const {
        return ReplaceEvery(line, "/archive/", Archive().string() + "/");
    }

    // Every test folder's results are what one run over it prints.
    void ExpectOneCsvPerTestFolder() const {
        for (const fs::path& folder : m_testFolders) {
            const Shell alone = Run("quadrel-cli analyse --csv '" + folder.string() + "/'");
            ASSERT_EQ(alone.status, 0) << alone.err;
            const fs::path csv = m_dir.Path() / "work" / "results" / (folder.filename().string() + ".csv");
            ASSERT_TRUE(fs::exists(csv)) << csv;
            EXPECT_EQ(ReadFileText(csv.string()), alone.out);
        }
        size_t files = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_dir.Path() / "work" / "results"))
            ++files;
        EXPECT_EQ(files, m_testFolders.size());
    }

    TempDir m_dir;
    std::vector<fs::path> m_testFolders;
};
} // namespace

TEST_F(ClusterNoteRun, SlurmArrayExampleWritesOneCsvPerTestFolder) {
    const ClusterNote note = ReadClusterNote();
    ASSERT_EQ(note.slurmBlock.size(), 4u);
    // The folder list, as written.
    const Shell list = Run(OnArchive(note.slurmBlock[0]));
    ASSERT_EQ(list.status, 0) << list.err;
    // The array range and the CPUs of a task, read from the sbatch line.
    std::smatch match;
    ASSERT_TRUE(std::regex_search(note.slurmBlock[1], match,
                                  std::regex(R"(--array=1-\$\((.*)\) --cpus-per-task=(\d+) --wrap)")));
    const std::string cpus = match[2];
    const Shell count = Run(match[1]);
    ASSERT_EQ(std::stoul(count.out), m_testFolders.size());
    // The wrapped script, continuation lines joined as the shell joins them.
    std::string script = note.slurmBlock[2] + "\n" + note.slurmBlock[3];
    script = ReplaceEvery(script, "\\\n", "");
    script.erase(0, script.find_first_not_of(' '));
    ASSERT_EQ(script.front(), '\'');
    ASSERT_EQ(script.back(), '\'');
    script = script.substr(1, script.size() - 2);
    for (size_t task = 1; task <= m_testFolders.size(); ++task) {
        const Shell run =
            Run(script, "SLURM_ARRAY_TASK_ID=" + std::to_string(task) + " SLURM_CPUS_PER_TASK=" + cpus);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    ExpectOneCsvPerTestFolder();
}

TEST_F(ClusterNoteRun, XargsLineWritesOneCsvPerTestFolder) {
    const ClusterNote note = ReadClusterNote();
    ASSERT_NE(note.xargsLine.find("xargs -P"), std::string::npos) << note.xargsLine;
    const Shell run = Run(OnArchive(note.xargsLine));
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectOneCsvPerTestFolder();
}

// The note's promise that the folders are independent: the archive in one command prints what the
// folders print one by one.
TEST_F(ClusterNoteRun, ArchiveInOneCommandPrintsTheFolderResultsInFolderOrder) {
    const ClusterNote note = ReadClusterNote();
    ASSERT_EQ(Run(OnArchive(note.xargsLine)).status, 0);
    std::string expected;
    std::vector<fs::path> folders = m_testFolders;
    std::sort(folders.begin(), folders.end());
    for (const fs::path& folder : folders) {
        const std::string csv = ReadFileText(
            (m_dir.Path() / "work" / "results" / (folder.filename().string() + ".csv")).string());
        expected += expected.empty() ? csv : csv.substr(csv.find('\n') + 1);
    }
    const Shell whole = Run("quadrel-cli analyse --csv '" + Archive().string() + "/'");
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(whole.out, expected);
}
