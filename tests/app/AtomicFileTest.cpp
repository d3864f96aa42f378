#include <gtest/gtest.h>

#include <filesystem>
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
    if (!StageFile(path, bytes, staged)) return false;
    return CommitStaged({staged}) == std::vector<int>{0};
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
    ASSERT_TRUE(StageFile(kept, "new", staged[0]));
    ASSERT_TRUE(StageFile((dir.Path() / "b.pln").string(), "b", staged[1]));
    ASSERT_TRUE(StageFile((dir.Path() / "c.pln").string(), "c", staged[2]));
    EXPECT_EQ(ReadFileText(kept), "old");
    EXPECT_FALSE(fs::exists(dir.Path() / "b.pln"));
    fs::create_directories(dir.Path() / "b.pln" / "inside");

    const std::vector<int> errors = CommitStaged(staged);
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], 0);
    EXPECT_NE(errors[1], 0);
    EXPECT_EQ(errors[2], 0);
    EXPECT_EQ(ReadFileText(kept), "new");
    EXPECT_EQ(ReadFileText((dir.Path() / "c.pln").string()), "c");
    for (const std::string& name : FolderEntries(dir.Path()))
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;

    StagedFile missing;
    EXPECT_FALSE(StageFile((dir.Path() / "no" / "x.pln").string(), "x", missing));
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

} // namespace
