#include "app/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

namespace {
// Temporary files are named ".qd<pid>_<n>.tmp" in the destination's folder: short, so a destination
// name of up to 255 bytes can still be written, and carrying the writer's process id, so a later
// run can tell which ones a killed run left behind.
constexpr std::string_view kTempPrefix = ".qd";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr int kMaxLinkHops = 40;

// The file a write to `path` must replace: the end of its symlink chain, so the link stays a link
// and the file it names gets the new bytes. Empty for a chain that does not end.
std::string ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(4096, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<size_t>(length) >= target.size()) return {};
        target.resize(static_cast<size_t>(length));
        current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
    }
    return {};
}

// The process id of a temporary file name of this program, or 0 when the name is not one.
pid_t TempFileOwner(std::string_view name) {
    if (name.size() <= kTempPrefix.size() + kTempSuffix.size() ||
        name.substr(0, kTempPrefix.size()) != kTempPrefix ||
        name.substr(name.size() - kTempSuffix.size()) != kTempSuffix)
        return 0;
    const std::string_view middle =
        name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
    const size_t underscore = middle.find('_');
    if (underscore == 0 || underscore == std::string_view::npos || underscore > 9 ||
        underscore + 1 == middle.size())
        return 0;
    for (size_t i = 0; i < middle.size(); ++i) {
        if (i != underscore && (middle[i] < '0' || middle[i] > '9')) return 0;
    }
    pid_t pid = 0;
    for (size_t i = 0; i < underscore; ++i) pid = pid * 10 + (middle[i] - '0');
    return pid;
}

bool ProcessAlive(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

// A killed run leaves its temporary files behind; the first write of this process to a folder
// removes those whose writer is gone. Files of running writers and any other names stay.
void RemoveStaleTemporaries(const std::string& folder) {
    static std::mutex mutex;
    static std::set<std::string> swept;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!swept.insert(folder).second) return;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = TempFileOwner(entry->d_name);
        if (owner > 0 && !ProcessAlive(owner)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

// The rename is only durable once the folder entry is on disk; a folder that cannot be synced
// (some file systems refuse) does not make the write fail.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

namespace {
void Discard(const StagedFile& staged, int& fd);

// Writes the bytes to a new temporary file beside the end of `path`'s link chain, with the mode
// of the file it will replace; `fd` stays open. False with errno set when anything fails (the
// temporary file is gone then).
bool WriteTemporary(const std::string& path, std::string_view bytes, StagedFile& staged, int& fd) {
    static std::atomic<unsigned> counter{0};
    fd = -1;
    staged.target = ResolveLinks(path);
    if (staged.target.empty()) return false;
    const std::string folder = FolderOf(staged.target);
    RemoveStaleTemporaries(folder);

    // A name can be taken by a file that a killed earlier process with the same id left behind.
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        staged.temp = folder + "/" + std::string(kTempPrefix) + std::to_string(::getpid()) + "_" +
                      std::to_string(counter++) + std::string(kTempSuffix);
        fd = ::open(staged.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    // A replaced file keeps its permissions (a private 0600 file must not become readable).
    struct stat existing {};
    if (ok && ::stat(staged.target.c_str(), &existing) == 0 && ::fchmod(fd, existing.st_mode & 0777) != 0)
        ok = false;
    if (!ok) Discard(staged, fd);
    return ok;
}

// Removes the temporary file (and closes it), keeping the errno of what failed.
void Discard(const StagedFile& staged, int& fd) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    fd = -1;
    ::unlink(staged.temp.c_str());
    errno = error;
}

bool RenameIntoPlace(const StagedFile& staged) {
    int none = -1;
    if (std::rename(staged.temp.c_str(), staged.target.c_str()) == 0) return true;
    Discard(staged, none);
    return false;
}
} // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    StagedFile staged;
    int fd = -1;
    if (!WriteTemporary(path, bytes, staged, fd)) return false;
    // The data must be on disk before the rename makes it the file, or a crash could leave an
    // empty file under the real name.
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        Discard(staged, fd);
        return false;
    }
    if (!RenameIntoPlace(staged)) return false;
    SyncFolder(FolderOf(staged.target));
    return true;
}

bool StageFile(const std::string& path, std::string_view bytes, StagedFile& staged) {
    int fd = -1;
    if (!WriteTemporary(path, bytes, staged, fd)) return false;
    if (::close(fd) != 0) {
        fd = -1;
        Discard(staged, fd);
        return false;
    }
    return true;
}

std::vector<int> CommitStaged(const std::vector<StagedFile>& files) {
    std::vector<int> errors(files.size(), 0);
    std::set<std::string> folders;
    for (const StagedFile& file : files)
        if (!file.temp.empty()) folders.insert(FolderOf(file.target));
    // One sync of each file system writes every staged file at once; where that reports an error
    // nobody can tell which file it was, so each is synced on its own then.
    bool synced = true;
    for (const std::string& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0 || ::syncfs(fd) != 0) synced = false;
        if (fd >= 0) ::close(fd);
    }
    for (size_t i = 0; i < files.size(); ++i) {
        const StagedFile& file = files[i];
        if (file.temp.empty()) continue;
        if (!synced) {
            int fd = ::open(file.temp.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 || ::fsync(fd) != 0) {
                errors[i] = errno ? errno : EIO;
                Discard(file, fd);
                continue;
            }
            ::close(fd);
        }
        if (!RenameIntoPlace(file)) errors[i] = errno ? errno : EIO;
    }
    for (const std::string& folder : folders) SyncFolder(folder);
    return errors;
}

ReadResult ReadRegularFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK: opening a named pipe must not wait for a writer; it is refused below anyway.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Unreadable;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return ReadResult::Unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadResult::NotAFile;
    }
    // The size is a hint: a file that grows or shrinks while it is read is read to its end. One
    // spare byte lets the read that meets the end land without growing the buffer first.
    bytes.resize(static_cast<size_t>(info.st_size) + 1);
    size_t filled = 0;
    bool failed = false;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() + 65536);
        const size_t wanted = bytes.size() - filled;
        const ssize_t got = ::read(fd, bytes.data() + filled, wanted);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failed = true;
        if (got <= 0) break;
        filled += static_cast<size_t>(got);
        // A regular file gives less than asked only at its end: no further read to learn that.
        if (static_cast<size_t>(got) < wanted) break;
    }
    ::close(fd);
    bytes.resize(filled);
    if (failed) {
        bytes.clear();
        return ReadResult::Unreadable;
    }
    return ReadResult::Ok;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    return ReadRegularFile(path, bytes) == ReadResult::Ok;
}
