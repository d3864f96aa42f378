#include "app/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* data = bytes.data();
    size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) std::remove(temp.c_str());
    return ok;
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
    // The size is a hint: a file that grows or shrinks while it is read is read to its end.
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t filled = 0;
    bool failed = false;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() + 65536);
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failed = true;
        if (got <= 0) break;
        filled += static_cast<size_t>(got);
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
