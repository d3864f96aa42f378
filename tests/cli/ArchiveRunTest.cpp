#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
// One small generated campaign, laid out again as test folders of an archive: every folder holds the
// campaign's cuts, with a gain line of its own or none (as generated), and the campaign's "Gain
// Level" folder lies beside them.
// The campaign is generated once for every case (it is only read).
struct Campaign {
    Campaign() {
        const std::string command =
            std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "config").string() +
            "' generate --ports 2 --tilts 0 --freqs 1710,1900 --step 2 --seed 5 --out '" +
            (dir.Path() / "campaign").string() + "'";
        std::string out;
        if (RunCommand(command, &out) != 0) throw std::runtime_error("generate failed");
        for (const auto& entry : fs::directory_iterator(dir.Path() / "campaign"))
            if (entry.is_directory() && entry.path().filename() != "Gain Level" &&
                entry.path().filename() != "Envelope")
                testFolder = entry.path();
    }
    TempDir dir;
    fs::path testFolder;
};

const Campaign& SharedCampaign() {
    static const Campaign campaign;
    return campaign;
}

class Archive {
  public:
    Archive() : m_testFolder(SharedCampaign().testFolder) {
        fs::create_directories(Root());
        fs::copy(m_testFolder.parent_path() / "Gain Level", Root() / "Gain Level",
                 fs::copy_options::recursive);
    }

    std::string Config() const { return (m_dir.Path() / "config").string(); }
    fs::path Root() const { return m_dir.Path() / "archive"; }

    // A test folder named `name` whose cuts carry `gain` as their gain line.
    std::string AddFolder(const std::string& name, const std::optional<std::string>& gain) const {
        const fs::path folder = Root() / name;
        fs::create_directories(folder);
        for (const auto& entry : fs::directory_iterator(m_testFolder)) {
            const fs::path target = folder / entry.path().filename();
            if (!gain) {
                fs::create_hard_link(entry.path(), target);
                continue;
            }
            // The third line is the gain line.
            std::string text = ReadFileText(entry.path().string());
            const size_t second = text.find('\n', text.find('\n') + 1);
            const size_t third = text.find('\n', second + 1);
            text = text.substr(0, second + 1) + "GAIN " + *gain + " dBi\r" + text.substr(third);
            std::ofstream(target, std::ios::binary) << text;
        }
        return folder.string();
    }

  private:
    TempDir m_dir;
    fs::path m_testFolder;
};

struct Output {
    int status;
    std::string out;
};

Output Analyse(const Archive& archive, const std::string& args) {
    Output run;
    std::string err;
    run.status = RunCommand(
        std::string(QUADREL_CLI_PATH) + " --config-dir '" + archive.Config() + "' " + args, &run.out, &err);
    return run;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

const char* const kSerialFolders[] = {"Lab_Proj_QX65_20261208_B01_SN1", "Lab_Proj_QX65_20261208_B01_SN2",
                                      "Lab_Proj_QX65_20261208_B01_SN3"};

struct IdentityCase {
    const char* name;
    std::optional<std::string> gain; // the same in every folder
    const char* format;
    int jobs;
};

class ArchiveIdentity : public testing::TestWithParam<IdentityCase> {};

// Copies of one campaign under several serial numbers are what one batch and one run per folder
// agree on: same partners, same gain-level folder, same gains in every series.
TEST_P(ArchiveIdentity, ArchiveRunPrintsTheBytesOfTheOneBatchRun) {
    const IdentityCase& c = GetParam();
    Archive archive;
    for (const char* folder : kSerialFolders) archive.AddFolder(folder, c.gain);
    const std::string common = "--jobs " + std::to_string(c.jobs) + " analyse " + c.format + " ";
    const Output perFolder = Analyse(archive, common + Quoted(archive.Root().string()));
    const Output oneBatch = Analyse(archive, common + "--one-batch " + Quoted(archive.Root().string()));
    ASSERT_EQ(perFolder.status, 0);
    ASSERT_EQ(oneBatch.status, 0);
    EXPECT_GT(perFolder.out.size(), 1000u);
    EXPECT_EQ(perFolder.out, oneBatch.out);
}

INSTANTIATE_TEST_SUITE_P(Table, ArchiveIdentity,
                         testing::Values(IdentityCase{"NoGainLineCsv", std::nullopt, "--csv", 1},
                                         IdentityCase{"NoGainLineCsvTwoJobs", std::nullopt, "--csv", 2},
                                         IdentityCase{"NoGainLineJson", std::nullopt, "--json", 1},
                                         IdentityCase{"NoGainLineJsonTwoJobs", std::nullopt, "--json", 2},
                                         IdentityCase{"GainLineCsv", "15.25", "--csv", 1},
                                         IdentityCase{"GainLineCsvTwoJobs", "15.25", "--csv", 2},
                                         IdentityCase{"GainLineJson", "15.25", "--json", 1},
                                         IdentityCase{"GainLineJsonTwoJobs", "15.25", "--json", 2}),
                         [](const testing::TestParamInfo<IdentityCase>& info) {
                             return std::string(info.param.name);
                         });

struct FolderCase {
    const char* name;
    std::vector<std::optional<std::string>> gains; // per folder of kSerialFolders
};

class ArchivePerFolder : public testing::TestWithParam<FolderCase> {};

// Folders that differ (gain series of different antennas, a folder without gain lines among
// folders with them) are each printed as a run over that folder alone would print them.
TEST_P(ArchivePerFolder, ArchiveRunPrintsTheRunsOfEachFolderInFolderOrder) {
    const FolderCase& c = GetParam();
    Archive archive;
    std::string expected;
    std::vector<std::string> folders;
    for (size_t i = 0; i < c.gains.size(); ++i)
        folders.push_back(archive.AddFolder(kSerialFolders[i], c.gains[i]));
    for (const std::string& folder : folders) {
        const Output alone = Analyse(archive, "analyse --csv " + Quoted(folder));
        ASSERT_EQ(alone.status, 0);
        expected += expected.empty() ? alone.out : alone.out.substr(alone.out.find('\n') + 1);
    }
    const Output perFolder = Analyse(archive, "--jobs 2 analyse --csv " + Quoted(archive.Root().string()));
    const Output oneBatch = Analyse(archive, "analyse --csv --one-batch " + Quoted(archive.Root().string()));
    EXPECT_EQ(perFolder.out, expected);
    // Otherwise the case would not tell one run per folder from one batch.
    EXPECT_NE(oneBatch.out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArchivePerFolder,
    testing::Values(FolderCase{"SeriesGainsDiffer", {"15.25", "16.75", "15.25"}},
                    FolderCase{"MiddleFolderWithoutGainLines", {"15.25", std::nullopt, "15.25"}},
                    FolderCase{"LastFolderWithoutGainLines", {"15.25", "16.75", std::nullopt}}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

// Folders whose spelling sorts them apart from the table's lower-case order cannot be printed one
// after the other in table order: the batch is loaded as one.
TEST(ArchiveFallback, FoldersOutOfTableOrderAreLoadedAsOneBatch) {
    Archive archive;
    archive.AddFolder("Lab_Proj_QX65_20261208_B01_SN2", "15.25");
    archive.AddFolder("lab_Proj_QX65_20261208_B01_SN1", "16.75");
    const std::string root = Quoted(archive.Root().string());
    const Output run = Analyse(archive, "analyse --csv " + root);
    const Output oneBatch = Analyse(archive, "analyse --csv --one-batch " + root);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, oneBatch.out);
}
} // namespace

namespace {
// A refused file ends the run where the one batch ends: the folders before it and its own files
// before it are printed, the folders after it are not read.
TEST(ArchiveRefusal, RunStopsAtTheRefusedFileAsTheOneBatchDoes) {
    Archive archive;
    for (const char* folder : kSerialFolders) archive.AddFolder(folder, "15.25");
    std::ofstream(archive.Root() / kSerialFolders[1] / "p1_p45_h_co_0_0_1900.msi", std::ios::trunc).close();
    const std::string root = Quoted(archive.Root().string());
    for (const char* format : {"--csv", "--json"}) {
        const Output run = Analyse(archive, std::string("analyse ") + format + " " + root);
        const Output oneBatch = Analyse(archive, std::string("analyse --one-batch ") + format + " " + root);
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(oneBatch.status, 3);
        EXPECT_EQ(run.out, oneBatch.out);
        EXPECT_NE(run.out.find("sn2/p1_p45_e_co"), std::string::npos);
        EXPECT_EQ(run.out.find("sn3/"), std::string::npos);
    }
}
} // namespace

namespace {
// Every file below `root` by its path relative to it, with its bytes.
std::map<std::string, std::string> FolderBytes(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = ReadFileText(entry.path().string());
    return files;
}

struct CommandCase {
    const char* name;
    const char* args; // before the archive; "OUT" stands for a fresh output folder
};

class ArchiveCommands : public testing::TestWithParam<CommandCase> {};

// The commands beside `analyse` that read an archive one test folder at a time print, and write,
// what the one batch prints and writes.
TEST_P(ArchiveCommands, ArchiveRunPrintsAndWritesWhatTheOneBatchDoes) {
    Archive archive;
    for (const char* folder : kSerialFolders) archive.AddFolder(folder, "15.25");
    const fs::path outs = archive.Root().parent_path();
    std::string args = GetParam().args;
    const auto run = [&](const std::string& out, const std::string& extra) {
        fs::create_directories(outs / out);
        std::string line = ReplaceAll(args, "OUT", Quoted((outs / out).string()));
        line = ReplaceAll(line, "LIMITS",
                          Quoted(std::string(QUADREL_SOURCE_DIR) + "/resources/limits/QX6518.toml"));
        Output result = Analyse(archive, "--jobs 2 " + line + extra + " " + Quoted(archive.Root().string()));
        result.out = ReplaceAll(result.out, (outs / out).string(), "OUT");
        return result;
    };
    const Output perFolder = run("per-folder", "");
    const Output oneBatch = run("one-batch", " --one-batch");
    EXPECT_EQ(perFolder.status, oneBatch.status);
    EXPECT_GT(perFolder.out.size(), 20u);
    EXPECT_EQ(perFolder.out, oneBatch.out);
    const auto written = FolderBytes(outs / "per-folder");
    EXPECT_EQ(written, FolderBytes(outs / "one-batch"));
    if (Contains(args, "OUT")) EXPECT_GT(written.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveCommands,
    testing::Values(CommandCase{"PlanningFiles", "export --out OUT --pln --msi --tmvmsi --txt"},
                    CommandCase{"XmlWithoutPln",
                                "export --out OUT --xml --antenna-type Multi-port --port p1=A"},
                    CommandCase{"XmlPlnExact", "export --out OUT --pln --xml --exact"},
                    CommandCase{"CheckText", "check --limits LIMITS"},
                    CommandCase{"CheckCsv", "check --limits LIMITS --csv"},
                    CommandCase{"CheckJson", "check --limits LIMITS --json"}),
    [](const testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });
} // namespace
