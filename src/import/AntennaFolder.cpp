#include "import/AntennaFolder.h"

#include "app/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kStagePrefix = ".quadrel-import-";

class Fd {
  public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (m_fd >= 0) close(m_fd);
    }
    int Get() const { return m_fd; }
    bool Ok() const { return m_fd >= 0; }

  private:
    int m_fd;
};

std::string Reason() {
    return ErrorText(errno);
}

// A rename that never replaces an entry; where the file system cannot do that in one step, a hard
// link (which fails on an existing name) and the removal of the old name.
bool MoveNoReplace(int fromDir, const std::string& from, int toDir, const std::string& to) {
    if (renameat2(fromDir, from.c_str(), toDir, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    if (linkat(fromDir, from.c_str(), toDir, to.c_str(), 0) != 0) return false;
    unlinkat(fromDir, from.c_str(), 0);
    return true;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Removes a stage folder and what is left in it (its entries are plain files of this program).
void RemoveStage(int outDir, const std::string& stage) {
    const int fd = openat(outDir, stage.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        if (DIR* dir = fdopendir(fd)) {
            while (const dirent* entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") unlinkat(fd, name.c_str(), 0);
            }
            closedir(dir);
        } else {
            close(fd);
        }
    }
    unlinkat(outDir, stage.c_str(), AT_REMOVEDIR);
}

// Stage folders left by an import that was killed: their process is gone.
void RemoveStaleStages(int outDir) {
    const int fd = dup(outDir);
    if (fd < 0) return;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return;
    }
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(kStagePrefix, 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + std::strlen(kStagePrefix), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) stale.push_back(name);
    }
    closedir(dir);
    for (const std::string& name : stale) RemoveStage(outDir, name);
}

// A fresh hidden folder beside the antenna folders; its name carries this process's id.
std::string MakeStage(int outDir) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = kStagePrefix + std::to_string(getpid()) + "-" + std::to_string(std::rand());
        if (mkdirat(outDir, name.c_str(), 0700) == 0) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

std::string WriteCuts(int stageDir, const std::vector<CutToPlace>& cuts, const std::string& shownFolder) {
    for (const CutToPlace& cut : cuts) {
        Fd fd(openat(stageDir, cut.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (!fd.Ok() || !WriteAll(fd.Get(), cut.text) || fsync(fd.Get()) != 0)
            return "cannot write " + shownFolder + "/" + cut.name + ": " + Reason();
    }
    return {};
}

// Moves the staged cuts into an antenna folder that exists, one at a time; on a clash the cuts
// already moved are taken out again.
std::string MoveIntoExisting(int stageDir, int antennaDir, const std::vector<CutToPlace>& cuts,
                             const std::string& shownFolder) {
    std::vector<const CutToPlace*> moved;
    for (const CutToPlace& cut : cuts) {
        if (MoveNoReplace(stageDir, cut.name, antennaDir, cut.name)) {
            moved.push_back(&cut);
            continue;
        }
        const std::string problem =
            errno == EEXIST ? shownFolder + "/" + cut.name + " exists already; nothing is overwritten"
                            : "cannot write into " + shownFolder + ": " + Reason();
        for (const CutToPlace* back : moved) unlinkat(antennaDir, back->name.c_str(), 0);
        return problem;
    }
    fsync(antennaDir);
    return {};
}

} // namespace

std::string PlaceAntennaFolder(const std::string& outFolder, const std::string& folderName,
                               const std::vector<CutToPlace>& cuts) {
    const std::string shownFolder = (fs::path(outFolder) / folderName).string();
    std::error_code ec;
    fs::create_directories(outFolder, ec);
    Fd outDir(open(outFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!outDir.Ok()) return "cannot write into " + outFolder + ": " + Reason();
    RemoveStaleStages(outDir.Get());

    const std::string stage = MakeStage(outDir.Get());
    if (stage.empty()) return "cannot write into " + outFolder + ": " + Reason();
    std::string problem;
    {
        Fd stageDir(openat(outDir.Get(), stage.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        problem = stageDir.Ok() ? WriteCuts(stageDir.Get(), cuts, shownFolder)
                                : "cannot write into " + outFolder + ": " + Reason();
        if (problem.empty()) {
            // A new antenna folder arrives whole.
            if (MoveNoReplace(outDir.Get(), stage, outDir.Get(), folderName)) {
                fsync(outDir.Get());
                return {};
            }
            if (errno != EEXIST && errno != ENOTEMPTY && errno != EPERM && errno != EISDIR)
                problem = "cannot write into " + shownFolder + ": " + Reason();
        }
        if (problem.empty()) {
            auto openAntenna = [&] {
                return openat(outDir.Get(), folderName.c_str(),
                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            };
            int fd = openAntenna();
            // A file system that cannot move a folder without replacing gets the folder made here.
            if (fd < 0 && errno == ENOENT &&
                (mkdirat(outDir.Get(), folderName.c_str(), 0755) == 0 || errno == EEXIST))
                fd = openAntenna();
            Fd antennaDir(fd);
            if (antennaDir.Ok())
                problem = MoveIntoExisting(stageDir.Get(), antennaDir.Get(), cuts, shownFolder);
            else if (errno == ELOOP || errno == ENOTDIR)
                problem = shownFolder + " is a symbolic link or no folder; nothing is written beyond it";
            else
                problem = "cannot write into " + shownFolder + ": " + Reason();
        }
    }
    RemoveStage(outDir.Get(), stage);
    return problem;
}
