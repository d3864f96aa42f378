#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "app/AtomicFile.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Destinations a write must reach: names near the file-name limit, and symlinks that must stay links
// while the file they name gets the bytes.
struct DestinationCase {
    const char* label;
    std::string written;  // the path handed to the writer, relative to the folder
    std::string link;     // a symlink created at `written` pointing here (empty: none)
    std::string realFile; // where the bytes must land
};

// The one-file writer and the staged writer of many files must reach the same destinations.
bool WriteStaged(const std::string& path, const std::string& bytes) {
    StagedFile staged;
    std::string error;
    if (!StageFile({}, path, bytes, staged, error)) return false;
    return CommitStaged({staged}) == std::vector<std::string>{""};
}

TEST(AtomicFile, WritesEveryDestinationInPlaceAndLeavesNoTemporaries) {
    const std::string longName = std::string(251, 'n') + ".msi"; // 255 bytes, the limit
    const std::vector<DestinationCase> cases = {
        {"plain file", "out.msi", "", "out.msi"},
        {"255-byte name", longName, "", longName},
        {"244-byte name", std::string(240, 'm') + ".pln", "", std::string(240, 'm') + ".pln"},
        {"relative symlink", "Config.xml", "real/Config.xml", "real/Config.xml"},
        {"symlink to a missing file", "dangling.ini", "real/new.ini", "real/new.ini"},
        {"symlink to a symlink", "chain.xml", "Config.xml", "real/Config.xml"},
    };
    TempDir dir;
    dir.Write("real/Config.xml", "old");
    for (bool staged : {false, true}) {
        for (const DestinationCase& c : cases) {
            SCOPED_TRACE(std::string(c.label) + (staged ? ", staged" : ""));
            const fs::path written = dir.Path() / c.written;
            if (!c.link.empty() && !fs::is_symlink(written)) fs::create_symlink(c.link, written);
            const std::string bytes = std::string(c.label) + (staged ? " staged" : "");
            ASSERT_TRUE(staged ? WriteStaged(written.string(), bytes)
                               : WriteFileAtomic(written.string(), bytes));
            EXPECT_EQ(ReadFileText((dir.Path() / c.realFile).string()), bytes);
            EXPECT_EQ(fs::is_symlink(written), !c.link.empty());
        }
    }
    for (const fs::path folder : {dir.Path(), dir.Path() / "real"}) {
        for (const std::string& name : FolderEntries(folder))
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    }
}

TEST(AtomicFile, KeepsTheModeOfTheReplacedFile) {
    TempDir dir;
    for (const mode_t mode : {0600, 0640, 0644, 0755}) {
        const std::string path = dir.Write("Config.xml", "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomic(path, "new"));
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, mode) << std::oct << mode;
        EXPECT_EQ(ReadFileText(path), "new");
    }
}

// Staged files replace nothing until they are committed; a file whose place is taken by a folder
// in the meantime fails alone, with its reason, and leaves no temporary file.
TEST(AtomicFile, StagedFilesAppearOnlyAtTheCommitAndFailOneByOne) {
    TempDir dir;
    const std::string kept = dir.Write("a.pln", "old");
    std::vector<StagedFile> staged(3);
    std::string error;
    ASSERT_TRUE(StageFile({}, kept, "new", staged[0], error));
    ASSERT_TRUE(StageFile({}, (dir.Path() / "b.pln").string(), "b", staged[1], error));
    ASSERT_TRUE(StageFile({}, (dir.Path() / "c.pln").string(), "c", staged[2], error));
    EXPECT_EQ(ReadFileText(kept), "old");
    EXPECT_FALSE(fs::exists(dir.Path() / "b.pln"));
    fs::create_directories(dir.Path() / "b.pln" / "inside");

    const std::vector<std::string> errors = CommitStaged(staged);
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], "");
    EXPECT_NE(errors[1].find("b.pln"), std::string::npos) << errors[1];
    EXPECT_EQ(errors[2], "");
    EXPECT_EQ(ReadFileText(kept), "new");
    EXPECT_EQ(ReadFileText((dir.Path() / "c.pln").string()), "c");
    for (const std::string& name : FolderEntries(dir.Path()))
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;

    StagedFile missing;
    EXPECT_FALSE(StageFile({}, (dir.Path() / "no" / "x.pln").string(), "x", missing, error));
    EXPECT_TRUE(missing.temp.empty() || !fs::exists(missing.temp));
}

TEST(AtomicFile, RemovesOnlyTheTemporariesOfWritersThatAreGone) {
    TempDir dir;
    // No process can have an id above the kernel's limit (2^22), so that writer is gone.
    const std::string ownPid = std::to_string(::getpid());
    const std::vector<std::pair<std::string, bool>> files = {
        {".qd99999999_0.tmp", false},        // killed run
        {".qd99999998_17.tmp", false},       // killed run
        {".qd" + ownPid + "_999.tmp", true}, // a write still running in this process
        {".qd1_0.tmp", true},                // init never stops
        {"notes.tmp", true},                 // not ours
        {".qd99999999_x.tmp", true},         // not our pattern
        {".qd_0.tmp", true},
        {"a.msi.tmp99999999_0", true}, // not our pattern (an older naming)
    };
    for (const auto& [name, kept] : files) dir.Write(name, "x");
    ASSERT_TRUE(WriteFileAtomic((dir.Path() / "out.msi").string(), "data"));
    for (const auto& [name, kept] : files) EXPECT_EQ(fs::exists(dir.Path() / name), kept) << name;
    EXPECT_EQ(ReadFileText((dir.Path() / "out.msi").string()), "data");
}

TEST(AtomicFile, FailsWithoutTouchingAnythingWhenTheFolderIsMissing) {
    TempDir dir;
    EXPECT_FALSE(WriteFileAtomic((dir.Path() / "missing" / "out.msi").string(), "data"));
    EXPECT_TRUE(FolderEntries(dir.Path()).empty());
}

TEST(AtomicFile, RefusesASymlinkLoop) {
    TempDir dir;
    fs::create_symlink("b", dir.Path() / "a");
    fs::create_symlink("a", dir.Path() / "b");
    EXPECT_FALSE(WriteFileAtomic((dir.Path() / "a").string(), "data"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "a"));
}

// Below the output folder no link is followed, whichever writer writes: a link at the file's own
// name is replaced, a linked folder refuses the write and is named, the output folder itself may
// be a link.
TEST(AtomicFile, OutputsNeverWriteThroughALinkBelowTheOutputFolder) {
    struct Case {
        const char* label;
        std::function<void(const fs::path& out, const fs::path& outside)> plant;
        std::string root;    // relative to the test folder
        std::string written; // relative to the test folder
        bool ok;
        std::string errorPart;
    };
    const std::vector<Case> cases = {
        {"plain file", [](const fs::path&, const fs::path&) {}, "out", "out/PLN/a.pln", true, ""},
        {"link at the file's name",
         [](const fs::path& out, const fs::path& outside) {
             fs::create_symlink(outside / "v", out / "PLN/a.pln");
         },
         "out", "out/PLN/a.pln", true, ""},
        {"dangling link at the file's name",
         [](const fs::path& out, const fs::path& outside) {
             fs::create_symlink(outside / "new", out / "PLN/a.pln");
         },
         "out", "out/PLN/a.pln", true, ""},
        {"linked folder below the output folder",
         [](const fs::path& out, const fs::path& outside) {
             fs::remove_all(out / "PLN");
             fs::create_directory_symlink(outside, out / "PLN");
         },
         "out", "out/PLN/a.pln", false, "out/PLN is a symbolic link"},
        {"linked folder deeper down",
         [](const fs::path& out, const fs::path& outside) {
             fs::create_directories(out / "DataSrc");
             fs::create_directory_symlink(outside, out / "DataSrc/MSI");
         },
         "out", "out/DataSrc/MSI/a.msi", false, "out/DataSrc/MSI is a symbolic link"},
        {"output folder given as a link",
         [](const fs::path& out, const fs::path&) {
             fs::create_directory_symlink(out, out.parent_path() / "alias");
         },
         "alias/", "alias/PLN/a.pln", true, ""},
        {"a step up out of the output folder", [](const fs::path&, const fs::path&) {}, "out",
         "out/PLN/../../x.pln", false, "leads out of the output folder"},
    };
    for (bool staged : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.label) + (staged ? ", staged" : ""));
            TempDir dir;
            const fs::path out = dir.Path() / "out";
            const fs::path outside = dir.Path() / "outside";
            fs::create_directories(out / "PLN");
            fs::create_directories(outside);
            dir.Write("outside/v", "keep");
            c.plant(out, outside);
            const std::string root = (dir.Path() / c.root).string();
            const std::string path = (dir.Path() / c.written).string();
            std::string error;
            bool ok = false;
            if (staged) {
                StagedFile file;
                ok = StageFile(root, path, "new", file, error);
                if (ok) {
                    error = CommitStaged({file}).front();
                    ok = error.empty();
                }
            } else {
                ok = WriteOutputAtomic(root, path, "new", error);
            }
            EXPECT_EQ(ok, c.ok) << error;
            EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
            // Nothing outside the output folder changes, and no temporary is left anywhere.
            EXPECT_EQ(FolderEntries(outside), std::vector<std::string>{"v"});
            EXPECT_EQ(ReadFileText((outside / "v").string()), "keep");
            if (c.ok) {
                EXPECT_FALSE(fs::is_symlink(path));
                EXPECT_EQ(ReadFileText(path), "new");
            }
            for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
                EXPECT_EQ(entry.path().filename().string().find(".qd"), std::string::npos) << entry.path();
        }
    }
}

// A package library writes its file by name; the place it gets obeys the same rule, and what it
// leaves when it is killed is hidden and removed by the next write.
TEST(AtomicFile, FilesWrittenByNameArePlacedByTheOutputRule) {
    TempDir dir;
    const fs::path out = dir.Path() / "out";
    fs::create_directories(out / "report");
    fs::create_directories(dir.Path() / "outside");
    fs::create_symlink(dir.Path() / "outside/r.docx", out / "report/r.docx");
    fs::create_directory_symlink(dir.Path() / "outside", out / "linked");
    dir.Write("out/report/.qd99999999_3.tmp.tmp-Ab12Cd", "left by a killed library");
    const std::string target = (out / "report/r.docx").string();
    std::string given;
    std::string error;
    ASSERT_TRUE(WriteOutputByName(
        out.string(), target,
        [&](const std::string& temporary, std::string&) {
            given = temporary;
            std::ofstream(temporary) << "zip";
            return true;
        },
        error))
        << error;
    EXPECT_EQ(fs::path(given).parent_path(), out / "report");
    EXPECT_EQ(fs::path(given).filename().string().substr(0, 3), ".qd");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadFileText(target), "zip");
    EXPECT_TRUE(FolderEntries(dir.Path() / "outside").empty());
    EXPECT_EQ(FolderEntries(out / "report"), std::vector<std::string>{"r.docx"});

    struct Case {
        const char* label;
        std::string path;
        bool writes;
        std::string errorPart;
    } cases[] = {
        {"linked folder", (out / "linked/r.docx").string(), false, "linked is a symbolic link"},
        {"the library fails", target, true, "no space"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        bool called = false;
        EXPECT_FALSE(WriteOutputByName(
            out.string(), c.path,
            [&](const std::string&, std::string& libraryError) {
                called = true;
                libraryError = "no space";
                return false;
            },
            error));
        EXPECT_EQ(called, c.writes);
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        EXPECT_EQ(FolderEntries(out / "report"), std::vector<std::string>{"r.docx"});
        EXPECT_EQ(ReadFileText(target), "zip");
    }
}

} // namespace
