// An export into an output folder that a hostile user prepared, or that is killed half way: nothing
// outside the folder is ever written, a file is either its old or its new version, and a run that
// did not write everything never ends in success.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

const std::string kTest = "Lab_Proj_QX65_20261208_B01_SN1";

std::string Cut(int seed) {
    std::string text = "NAME T\r\nFREQUENCY 1800\r\nGAIN 15 dBi\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
    for (int a = 0; a < 360; a += 5)
        text += std::to_string(a) + " " + std::to_string(std::min(a, 360 - a) * (seed + 1) % 40) + "\r\n";
    return text;
}

std::string FolderOf(const std::string& path) {
    return fs::path(path).parent_path().string();
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct ExportSafety : ::testing::Test {
    TempDir dir;
    std::string extraInput; // a further PATH argument of the export
    fs::path Root() const { return dir.Path(); }
    fs::path Out() const { return dir.Path() / "o"; }
    fs::path Outside() const { return dir.Path() / "outside"; }

    void SetUp() override {
        for (const char* name : {"p1_p45_h_co_6_0_1800.msi", "p1_p45_e_co_6_0_1800.msi",
                                 "p2_m45_h_co_6_0_1800.msi", "p2_m45_e_co_6_0_1800.msi"})
            dir.Write(kTest + "/" + name, Cut(name[1] - '0'));
        fs::create_directories(Out());
        dir.Write("outside/v", "keep");
    }
    Outcome Run(const std::string& args, const std::string& prefix = "") const {
        Outcome o;
        o.status = RunCommand("{ " + prefix + std::string(QUADREL_CLI_PATH) + " --config-dir '" +
                                  (Root() / "config").string() + "' " + args + "; }",
                              &o.out, &o.err);
        return o;
    }
    Outcome Export(const std::string& kinds, const fs::path& out = {}) const {
        return Run("export --out '" + (out.empty() ? Out() : out).string() + "' " + kinds + " '" +
                   (Root() / kTest).string() + "'" + (extraInput.empty() ? "" : " '" + extraInput + "'"));
    }
    // The regular files below `folder`, by their path relative to it.
    static std::map<std::string, std::string> Files(const fs::path& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (!entry.is_symlink() && entry.is_regular_file())
                files[fs::relative(entry.path(), folder).string()] = ReadFileText(entry.path().string());
        return files;
    }
    std::string FirstFileIn(const std::string& folder) const {
        for (const auto& entry : fs::directory_iterator(Out() / folder))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                return (fs::path(folder) / entry.path().filename()).string();
        return {};
    }
};
} // namespace

// Per writer: a link planted at a file's name is replaced by the file and its target never opened;
// a linked folder below the output folder refuses the write with the folder named and exit 1; the
// output folder itself may be a link.
TEST_F(ExportSafety, NoWriterFollowsALinkBelowTheOutputFolder) {
    struct Writer {
        std::string kinds;
        std::string folder; // relative to the output folder
    } writers[] = {
        {"--pln", "PLN"},       {"--txt", "TXT"}, {"--msi", "DataSrc/MSI"}, {"--tmvmsi", "DataSrc/TMVMSI"},
        {"--pln --xml", "XML"}, {"--exact", "."},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.kinds);
        fs::remove_all(Out());
        fs::create_directories(Out());
        ASSERT_EQ(Export(w.kinds).status, 0);
        const std::string victim = FirstFileIn(w.folder);
        ASSERT_FALSE(victim.empty());
        const std::string written = ReadFileText((Out() / victim).string());

        // A link at the file's own name.
        fs::remove(Out() / victim);
        fs::create_symlink(Outside() / "v", Out() / victim);
        Outcome o = Export(w.kinds);
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(ReadFileText((Outside() / "v").string()), "keep");
        EXPECT_FALSE(fs::is_symlink(Out() / victim));
        EXPECT_EQ(ReadFileText((Out() / victim).string()), written);

        // The output folder given as a link.
        fs::create_directory_symlink(Out(), Root() / "alias");
        o = Export(w.kinds, Root() / "alias");
        EXPECT_EQ(o.status, 0) << o.err;
        fs::remove(Root() / "alias");
        if (w.folder == ".") continue;

        // A linked folder below the output folder.
        fs::remove_all(Out() / w.folder);
        fs::create_directories(Root() / "elsewhere");
        fs::create_directory_symlink(Root() / "elsewhere", Out() / w.folder);
        o = Export(w.kinds);
        EXPECT_EQ(o.status, 1) << o.err;
        EXPECT_TRUE(Has(o.err, "quadrel-cli: cannot write " + (Out() / victim).string() + ": " +
                                   (Out() / w.folder).string() + " is a symbolic link"))
            << o.err;
        EXPECT_FALSE(Has(o.err, "sucess")) << o.err;
        EXPECT_TRUE(fs::is_empty(Root() / "elsewhere"));
        fs::remove(Out() / w.folder);
        fs::remove_all(Root() / "elsewhere");
    }
}

// Report pictures obey the same rule: the picture replaces a planted link, a linked picture folder
// gets nothing.
TEST_F(ExportSafety, ReportPicturesNeverFollowALink) {
    ASSERT_EQ(Export("--word2").status, 0);
    const std::string victim = FirstFileIn("report/RelBmps");
    ASSERT_FALSE(victim.empty());
    fs::remove(Out() / victim);
    fs::create_symlink(Outside() / "v", Out() / victim);
    Export("--word2");
    EXPECT_EQ(ReadFileText((Outside() / "v").string()), "keep");
    EXPECT_FALSE(fs::is_symlink(Out() / victim));

    fs::remove_all(Out() / "report/SetBmps");
    fs::create_directories(Root() / "elsewhere");
    fs::create_directory_symlink(Root() / "elsewhere", Out() / "report/SetBmps");
    Export("--word2");
    EXPECT_TRUE(fs::is_empty(Root() / "elsewhere"));
}

// What a run that did not write everything tells: never success, the files not written with their
// reason, a count of what was and was not written, all after the last write; exit 1.
TEST_F(ExportSafety, ARunThatDidNotWriteEverythingEndsInItsSummary) {
    struct Case {
        const char* what;
        std::function<void()> setup;
        std::string kinds;
        std::vector<std::string> errParts; // in this order
    } cases[] = {
        {"two inputs naming one PLN file",
         [&] {
             // A second antenna of the same model: its cuts give the same PLN names.
             for (const char* name : {"p1_p45_h_co_6_0_1800.msi", "p1_p45_e_co_6_0_1800.msi"})
                 extraInput =
                     FolderOf(dir.Write(std::string("Lab_Proj_QX65_20261208_B01_SN2/") + name, Cut(3)));
         },
         "--pln --word2",
         {"maps to the same file", "Norvan: Export failed", "maps to the same file as",
          "Written: 2 files; not written: 1."}},
        {"Exact Data files that cannot be written",
         [&] {
             fs::create_directories(Out() / "p1_p45_h_co_6_0_1800.msi" / "x");
             fs::create_directories(Out() / "p2_m45_e_co_6_0_1800.msi" / "x");
         },
         "--pln --exact",
         {"Failed to save the file", "Failed to save the file", "Norvan: Export failed",
          "cannot replace " + (Out() / "p1_p45_h_co_6_0_1800.msi").string() + ": Is a directory",
          "Written: 4 files; not written: 2."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.setup();
        const Outcome o = Export(c.kinds);
        EXPECT_EQ(o.status, 1) << o.err;
        EXPECT_FALSE(Has(o.err, "sucess") || Has(o.err, "Success")) << o.err;
        size_t at = 0;
        for (const std::string& part : c.errParts) {
            const size_t found = o.err.find(part, at);
            EXPECT_NE(found, std::string::npos) << part << "\n" << o.err;
            if (found != std::string::npos) at = found + part.size();
        }
        extraInput.clear();
        fs::remove_all(Out());
        fs::create_directories(Out());
    }
}

// Texts from inside a file reach the terminal escaped, as file names do: a warning never clears
// the screen or forges a line.
TEST_F(ExportSafety, WarningTextsAreEscaped) {
    const std::string name = "p1_p45_\x1b[2Jx\ny_co_6_0_1800.msi";
    dir.Write("w/" + kTest + "/" + name, Cut(1));
    const Outcome o = Run("load '" + (Root() / "w").string() + "'");
    EXPECT_TRUE(Has(o.err, "\\x1B[2Jx\\ny")) << o.err;
    EXPECT_FALSE(Has(o.err, "\x1b")) << o.err;
    for (const std::string& line : SplitAll(o.err, '\n'))
        EXPECT_TRUE(line.empty() || line.rfind("warning: ", 0) == 0 || line.rfind("quadrel-cli", 0) == 0)
            << line;
}

// A thread that cannot be created (here: too little address space for 64 thread stacks) never aborts
// the run: the same output, the same exit status, one warning.
TEST_F(ExportSafety, TooFewThreadsGiveTheSameResult) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#else
    const std::string campaign = std::string(QUADREL_SOURCE_DIR) + "/samples/campaign";
    const Outcome one = Run("--jobs 1 analyse --csv '" + campaign + "'");
    ASSERT_EQ(one.status, 0) << one.err;
    const Outcome many = Run("--jobs 64 analyse --csv '" + campaign + "'", "prlimit --as=300000000 ");
    EXPECT_EQ(many.status, 0) << many.err;
    EXPECT_EQ(many.out, one.out);
    // One warning, however many threads were refused.
    const std::vector<std::string> lines = SplitAll(many.err, '\n');
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& line) { return Has(line, "more threads could be started"); }),
        1)
        << many.err;
#endif
}

// SIGKILL at random points of an export of every kind: each file present is whole (its old or its
// new version), none is lost, and no temporary file is visible.
TEST_F(ExportSafety, AKilledExportLeavesOnlyWholeFiles) {
    const std::string kinds =
        "--pln --txt --msi --tmvmsi --xml --exact --raw-xlsx --result-xlsx --word1 --word2";
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(Export(kinds).status, 0);
    const auto fullRun = std::chrono::steady_clock::now() - started;
    const std::map<std::string, std::string> reference = Files(Out());
    const std::string command = std::string(QUADREL_CLI_PATH) + " --config-dir '" +
                                (Root() / "config").string() + "' export --out '" + Out().string() + "' " +
                                kinds + " '" + (Root() / kTest).string() + "'";
    std::mt19937 random(20261208);
    std::uniform_int_distribution<long> at(
        0, std::chrono::duration_cast<std::chrono::microseconds>(fullRun).count());
    for (int round = 0; round < 20; ++round) {
        const long delay = at(random);
        SCOPED_TRACE(::testing::Message() << "killed after " << delay << " us");
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl("/bin/sh", "sh", "-c", ("exec " + command + " >/dev/null 2>&1").c_str(), nullptr);
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        std::vector<std::string> zips;
        for (const auto& entry : fs::recursive_directory_iterator(Out())) {
            const std::string relative = fs::relative(entry.path(), Out()).string();
            if (!entry.is_regular_file()) continue;
            const std::string name = entry.path().filename().string();
            if (name[0] == '.') continue; // a hidden temporary, removed by the next write there
            ASSERT_TRUE(reference.count(relative)) << "not a file of the export: " << relative;
            const std::string ext = entry.path().extension().string();
            if (ext == ".docx" || ext == ".xlsx")
                zips.push_back(entry.path().string());
            else
                EXPECT_EQ(ReadFileText(entry.path().string()), reference.at(relative)) << relative;
        }
        for (const auto& [relative, bytes] : reference) EXPECT_TRUE(fs::exists(Out() / relative)) << relative;
        std::string check = "/usr/bin/python3 -c 'import sys, zipfile\nfor p in sys.argv[1:]:\n"
                            "    z = zipfile.ZipFile(p)\n    assert z.testzip() is None, p\n'";
        for (const std::string& zip : zips) check += " '" + zip + "'";
        std::string out, err;
        EXPECT_EQ(RunCommand(check, &out, &err), 0) << err;
    }
    // The next run removes what the killed ones left and ends as the first did.
    const Outcome last = Export(kinds);
    EXPECT_EQ(last.status, 0) << last.err;
    for (const auto& entry : fs::recursive_directory_iterator(Out()))
        EXPECT_NE(entry.path().filename().string().substr(0, 3), ".qd") << entry.path();
}

// An output that cannot be written is named with the reason, whichever command writes it.
TEST_F(ExportSafety, WriteFailuresNameTheOutputAndTheReason) {
    char date[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y%m%d", std::localtime(&now));
    std::string planning = "NAME\tB1\r\nMAKE\tAcme\r\nFREQUENCY\t851\r\nGAIN\t13.6 dBd\r\nHORIZONTAL 360\r\n";
    for (const char* plane : {"", "VERTICAL 360\r\n"}) {
        planning += plane;
        for (int a = 0; a < 360; ++a) planning += std::to_string(a) + "\t" + std::to_string(a % 7) + "\r\n";
    }
    const std::string report = (Out() / "report/Norvan_Test_Report2.docx").string();
    const std::string antenna = (Root() / "io/Import_Acme_B1_").string() + date + "_B01_SN1";
    struct Case {
        const char* what;
        std::function<void()> setup;
        std::string args;
        std::string errPart;
    } cases[] = {
        {"a report whose name a folder holds", [&] { fs::create_directories(report + "/x"); },
         "export --out '" + Out().string() + "' --word2 '" + (Root() / kTest).string() + "'",
         "Norvan: The report's name is taken by something that is not a file: " + report},
        {"an import whose antenna folder is a file",
         [&] {
             dir.Write("B1.pln", planning);
             dir.Write(antenna.substr(Root().string().size() + 1), "");
         },
         "import --out '" + (Root() / "io").string() + "' '" + (Root() / "B1.pln").string() + "'",
         antenna + " is a symbolic link or no folder; nothing is written beyond it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.setup();
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.status, 1) << o.err;
        EXPECT_TRUE(Has(o.err, c.errPart)) << o.err;
        EXPECT_FALSE(Has(o.err, "Template Read Exception")) << o.err;
    }
}
