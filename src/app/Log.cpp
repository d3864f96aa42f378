#include "app/Log.h"

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "app/ConfigLocation.h"
#include "app/TextUtil.h"

namespace {

constexpr size_t kEntryBufferSize = 4096;
constexpr unsigned long long kMinimumFreeBytes = 104857600ULL;
constexpr auto kKeepOpenFor = std::chrono::milliseconds(1000);

struct LogState {
    std::mutex lock;
    std::string explicitPath;
    std::FILE* file = nullptr;
    std::chrono::steady_clock::time_point openedAt;
    int openings = 0;
    std::string refusedPath; // not a regular file: told once, never opened again
};

// Never destroyed: objects torn down at exit may still log.
LogState& State() {
    static LogState* state = new LogState;
    return *state;
}

std::string DefaultLogPath() {
    return UserBaseDir("XDG_STATE_HOME", ".local/state") + "quadrel/Log.txt";
}

std::string CurrentPath(const LogState& state) {
    return state.explicitPath.empty() ? DefaultLogPath() : state.explicitPath;
}

void CloseFile(LogState& state) {
    if (state.file) std::fclose(state.file);
    state.file = nullptr;
}

// Unknown free space counts as too little: a log must never be what fills a disk.
bool HasRoomFor(const std::filesystem::path& logFile) {
    std::error_code ignored;
    const std::filesystem::path folder = logFile.parent_path().empty() ? "." : logFile.parent_path();
    std::filesystem::create_directories(folder, ignored);
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) return false;
    return static_cast<unsigned long long>(info.f_bavail) * info.f_frsize >= kMinimumFreeBytes;
}

// A cut inside a multi-byte character would leave the log line with invalid UTF-8.
size_t BackToCharacterStart(const char* text, size_t length) {
    size_t end = length;
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80) --end;
    if (end == 0) return length;
    const unsigned char lead = static_cast<unsigned char>(text[end - 1]);
    const size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return length - (end - 1) >= need ? length : end - 1;
}

size_t FormatEntry(char (&buffer)[kEntryBufferSize], const char* format, va_list args) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    int length =
        std::snprintf(buffer, sizeof buffer, "[%04d-%02d-%02d %02d:%02d:%02d ] ", local.tm_year + 1900,
                      local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    if (length < 0) return 0;
    size_t used = static_cast<size_t>(length);
    const int wanted = std::vsnprintf(buffer + used, sizeof buffer - used, format, args);
    if (wanted < 0) return used;
    if (used + static_cast<size_t>(wanted) < sizeof buffer) return used + static_cast<size_t>(wanted);
    return BackToCharacterStart(buffer, sizeof buffer - 1);
}

} // namespace

void SetLogPath(const std::string& path) {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    if (path == state.explicitPath) return;
    CloseFile(state);
    state.explicitPath = path;
}

std::string LogPath() {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    return CurrentPath(state);
}

namespace {
// Entries of the calling thread are kept here while a LogCapture is alive.
thread_local std::vector<std::string>* t_capture = nullptr;

// Opens the log for appending. A named pipe there must not stop the program until someone reads
// it, nor a device take the entries: anything but a regular file is told once and not written.
std::FILE* OpenLogFile(LogState& state, const std::string& path) {
    // O_CLOEXEC: the descriptor must not leak into programs started for exports.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat info {};
    const bool regular = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    // A pipe without a reader refuses a non-blocking open for writing.
    const bool refused = fd < 0 ? errno == ENXIO || errno == EISDIR : !regular;
    if (refused && state.refusedPath != path) {
        state.refusedPath = path;
        std::fprintf(stderr, "warning: %s: not a regular file; the log is not written there\n",
                     PrintableText(path).c_str());
    }
    if (!regular || ::fcntl(fd, F_SETFL, O_WRONLY | O_APPEND) != 0) {
        if (fd >= 0) ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "a");
    if (!file) ::close(fd);
    return file;
}

void WriteEntry(LogState& state, const char* text, size_t length) {
    if (!state.file) {
        const std::string path = CurrentPath(state);
        if (path == state.refusedPath || !HasRoomFor(path)) return;
        state.file = OpenLogFile(state, path);
        if (!state.file) return;
        state.openedAt = std::chrono::steady_clock::now();
        ++state.openings;
    }
    std::fwrite(text, 1, length, state.file);
    std::fflush(state.file);
    if (std::chrono::steady_clock::now() - state.openedAt >= kKeepOpenFor) CloseFile(state);
}
} // namespace

void Log(const char* format, ...) {
    char buffer[kEntryBufferSize];
    va_list args;
    va_start(args, format);
    const size_t length = FormatEntry(buffer, format, args);
    va_end(args);
    if (t_capture) {
        t_capture->emplace_back(buffer, length);
        return;
    }
    LogState& state = State();
    std::lock_guard guard(state.lock);
    WriteEntry(state, buffer, length);
}

LogCapture::LogCapture() : m_outer(t_capture) {
    t_capture = &m_entries;
}

LogCapture::~LogCapture() {
    t_capture = m_outer;
}

std::vector<std::string> LogCapture::Take() {
    return std::exchange(m_entries, {});
}

void WriteLogEntries(const std::vector<std::string>& entries) {
    if (entries.empty()) return;
    if (t_capture) {
        t_capture->insert(t_capture->end(), entries.begin(), entries.end());
        return;
    }
    LogState& state = State();
    std::lock_guard guard(state.lock);
    for (const std::string& entry : entries) WriteEntry(state, entry.data(), entry.size());
}

int LogOpeningCount() {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    return state.openings;
}

bool LogFileIsOpen() {
    LogState& state = State();
    std::lock_guard guard(state.lock);
    return state.file != nullptr;
}
