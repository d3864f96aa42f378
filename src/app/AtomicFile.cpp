#include "app/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
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
        name.substr(0, kTempPrefix.size()) != kTempPrefix)
        return 0;
    // A library that writes a file by the name it was given makes its own temporary from it
    // (".qd12_3.tmp.tmp-XXXXXX"): that one is this program's too.
    const size_t suffix = name.find(kTempSuffix);
    if (suffix == std::string_view::npos) return 0;
    name = name.substr(0, suffix + kTempSuffix.size());
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
void RemoveStaleTemporaries(const std::string& folder, int folderFd) {
    static std::mutex mutex;
    static std::set<std::string> swept;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!swept.insert(folder).second) return;
    }
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0) ::close(listFd);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = TempFileOwner(entry->d_name);
        if (owner > 0 && !ProcessAlive(owner)) ::unlinkat(folderFd, entry->d_name, 0);
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

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FailureText(const std::string& what, int error) {
    return what + ": " + ErrorText(error ? error : EIO);
}

// An open folder that closes itself.
class FolderFd {
  public:
    explicit FolderFd(int fd = -1) : m_fd(fd) {}
    FolderFd(FolderFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FolderFd& operator=(FolderFd&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ~FolderFd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    int Get() const { return m_fd; }

  private:
    int m_fd;
};

// The folder `path` is written into. Below `root` each folder is opened without following a link,
// so a link planted there can never send the file elsewhere; `root` and a path outside it are
// opened as given. Invalid (and `error` set) when the folder cannot be reached.
FolderFd OpenTargetFolder(const std::string& root, const std::string& path, std::string& error) {
    const std::string folder = FolderOf(path);
    const std::string rootSlash = root.empty() || root.back() == '/' ? root : root + "/";
    const bool below = !rootSlash.empty() && path.compare(0, rootSlash.size(), rootSlash) == 0;
    const std::string start =
        below ? (rootSlash == "/" ? "/" : rootSlash.substr(0, rootSlash.size() - 1)) : folder;
    FolderFd fd(::open(start.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) {
        error = FailureText(start, errno);
        return fd;
    }
    if (!below) return fd;
    const std::string inside = folder.size() > rootSlash.size() ? folder.substr(rootSlash.size()) : "";
    std::string walked = start;
    size_t from = 0;
    while (from < inside.size()) {
        const size_t slash = std::min(inside.find('/', from), inside.size());
        const std::string part = inside.substr(from, slash - from);
        from = slash + 1;
        if (part.empty() || part == ".") continue;
        walked += (walked.back() == '/' ? "" : "/") + part;
        if (part == "..") {
            error = walked + ": leads out of the output folder";
            return FolderFd();
        }
        FolderFd next(::openat(fd.Get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (next.Get() < 0) {
            const int cause = errno;
            struct stat info {};
            if (::fstatat(fd.Get(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode))
                error = walked + " is a symbolic link; nothing is written beyond it";
            else
                error = FailureText(walked, cause);
            return next;
        }
        fd = std::move(next);
    }
    return fd;
}

// Removes the temporary file (and closes it), keeping the errno of what failed.
void Discard(int folderFd, const std::string& tempName, int& fd) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    fd = -1;
    ::unlinkat(folderFd, tempName.c_str(), 0);
    errno = error;
}

// Creates a new temporary file of this program in the folder; `fd` stays open. Empty (errno set)
// when none could be made.
std::string CreateTemporary(const std::string& folder, int folderFd, int& fd) {
    static std::atomic<unsigned> counter{0};
    RemoveStaleTemporaries(folder, folderFd);
    fd = -1;
    // A name can be taken by a file that a killed earlier process with the same id left behind.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = std::string(kTempPrefix) + std::to_string(::getpid()) + "_" +
                                 std::to_string(counter++) + std::string(kTempSuffix);
        fd = ::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

// Where a write of `path` goes: without a root the end of its link chain (a configuration file
// keeps its link), below one the path itself (a link there is replaced).
std::string TargetOf(const std::string& root, const std::string& path) {
    return root.empty() ? ResolveLinks(path) : path;
}

// Writes the bytes to a new temporary file beside the target, with the mode of the file it will
// replace; `fd` stays open. False with `error` set when anything fails (the temporary file is gone
// then).
bool WriteTemporary(int folderFd, std::string_view bytes, StagedFile& staged, int& fd, std::string& error) {
    const std::string folder = FolderOf(staged.target);
    const std::string tempName = CreateTemporary(folder, folderFd, fd);
    if (tempName.empty()) {
        error = FailureText("cannot create a temporary file in " + folder, errno);
        return false;
    }
    staged.temp = folder + "/" + tempName;
    bool ok = WriteAll(fd, bytes);
    // A replaced file keeps its permissions (a private 0600 file must not become readable); a link
    // that an output replaces says nothing about the file's mode.
    struct stat existing {};
    if (ok && ::fstatat(folderFd, NameOf(staged.target).c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(existing.st_mode) && ::fchmod(fd, existing.st_mode & 0777) != 0)
        ok = false;
    if (!ok) {
        error = FailureText("cannot write " + staged.target, errno);
        Discard(folderFd, tempName, fd);
        staged.temp.clear();
    }
    return ok;
}

bool RenameIntoPlace(int folderFd, const StagedFile& staged, std::string& error) {
    const std::string tempName = NameOf(staged.temp);
    if (::renameat(folderFd, tempName.c_str(), folderFd, NameOf(staged.target).c_str()) == 0) return true;
    error = FailureText("cannot replace " + staged.target, errno);
    int none = -1;
    Discard(folderFd, tempName, none);
    return false;
}

// One file, synced before the rename: a crash can never leave an empty file under the real name.
bool WriteSynced(const std::string& root, const std::string& path, std::string_view bytes,
                 std::string& error) {
    StagedFile staged{{}, TargetOf(root, path), root};
    if (staged.target.empty()) {
        error = path + ": " + ErrorText(ELOOP);
        errno = ELOOP;
        return false;
    }
    const FolderFd folder = OpenTargetFolder(root, staged.target, error);
    if (folder.Get() < 0) return false;
    int fd = -1;
    if (!WriteTemporary(folder.Get(), bytes, staged, fd, error)) return false;
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        error = FailureText("cannot write " + staged.target, errno);
        Discard(folder.Get(), NameOf(staged.temp), fd);
        return false;
    }
    if (!RenameIntoPlace(folder.Get(), staged, error)) return false;
    ::fsync(folder.Get());
    return true;
}
} // namespace

std::string ErrorText(int error) {
    char buffer[256];
    // The GNU strerror_r returns its text, in `buffer` or a static string.
    return ::strerror_r(error, buffer, sizeof buffer);
}

// The rename is only durable once the folder entry is on disk; a folder that cannot be synced
// (some file systems refuse) does not make the write fail.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    std::string error;
    return WriteSynced({}, path, bytes, error);
}

bool WriteOutputAtomic(const std::string& root, const std::string& path, std::string_view bytes,
                       std::string& error) {
    return WriteSynced(root, path, bytes, error);
}

bool StageFile(const std::string& root, const std::string& path, std::string_view bytes, StagedFile& staged,
               std::string& error) {
    staged = {{}, TargetOf(root, path), root};
    if (staged.target.empty()) {
        error = path + ": " + ErrorText(ELOOP);
        return false;
    }
    const FolderFd folder = OpenTargetFolder(root, staged.target, error);
    if (folder.Get() < 0) return false;
    int fd = -1;
    if (!WriteTemporary(folder.Get(), bytes, staged, fd, error)) return false;
    if (::close(fd) != 0) {
        error = FailureText("cannot write " + staged.target, errno);
        fd = -1;
        Discard(folder.Get(), NameOf(staged.temp), fd);
        staged.temp.clear();
        return false;
    }
    return true;
}

std::vector<std::string> CommitStaged(const std::vector<StagedFile>& files) {
    std::vector<std::string> errors(files.size());
    // Each folder is reached once, as the staging reached it; a folder that cannot be reached any
    // more fails its files.
    struct Opened {
        FolderFd fd;
        std::string error;
    };
    std::map<std::pair<std::string, std::string>, Opened> folders;
    for (const StagedFile& file : files) {
        if (file.temp.empty()) continue;
        const auto key = std::make_pair(file.root, FolderOf(file.target));
        if (folders.count(key)) continue;
        Opened opened;
        opened.fd = OpenTargetFolder(file.root, file.target, opened.error);
        folders.emplace(key, std::move(opened));
    }
    // One sync of each file system writes every staged file at once; where that reports an error
    // nobody can tell which file it was, so each is synced on its own then.
    bool synced = true;
    for (const auto& [key, opened] : folders)
        if (opened.fd.Get() < 0 || ::syncfs(opened.fd.Get()) != 0) synced = false;
    for (size_t i = 0; i < files.size(); ++i) {
        const StagedFile& file = files[i];
        if (file.temp.empty()) continue;
        const Opened& folder = folders.at(std::make_pair(file.root, FolderOf(file.target)));
        if (folder.fd.Get() < 0) {
            errors[i] = folder.error;
            continue;
        }
        if (!synced) {
            int fd = ::openat(folder.fd.Get(), NameOf(file.temp).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0 || ::fsync(fd) != 0) {
                errors[i] = FailureText("cannot write " + file.target, errno);
                Discard(folder.fd.Get(), NameOf(file.temp), fd);
                continue;
            }
            ::close(fd);
        }
        RenameIntoPlace(folder.fd.Get(), file, errors[i]);
    }
    for (const auto& [key, opened] : folders)
        if (opened.fd.Get() >= 0) ::fsync(opened.fd.Get());
    return errors;
}

bool WriteOutputByName(const std::string& root, const std::string& path, const WriteByName& write,
                       std::string& error) {
    const FolderFd folder = OpenTargetFolder(root, path, error);
    if (folder.Get() < 0) return false;
    int fd = -1;
    const std::string tempName = CreateTemporary(FolderOf(path), folder.Get(), fd);
    if (tempName.empty()) {
        error = FailureText("cannot create a temporary file in " + FolderOf(path), errno);
        return false;
    }
    ::close(fd);
    fd = -1;
    const StagedFile staged{FolderOf(path) + "/" + tempName, path, root};
    if (!write(staged.temp, error)) {
        Discard(folder.Get(), tempName, fd);
        return false;
    }
    // The library wrote the file by its name: it is synced and renamed here, where the folder is
    // the one reached without links.
    fd = ::openat(folder.Get(), tempName.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        error = FailureText("cannot write " + path, errno);
        Discard(folder.Get(), tempName, fd);
        return false;
    }
    ::close(fd);
    if (!RenameIntoPlace(folder.Get(), staged, error)) return false;
    ::fsync(folder.Get());
    return true;
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
