#pragma once
#include <string>
#include <vector>

// The diagnostic log: an append-only text file, one timestamped entry per call, serialised by one
// process-wide lock. Entries are dropped silently when the file system holds less than 100 MiB.
// Where the log goes: `path` (tests), else $XDG_STATE_HOME/quadrel/Log.txt, else
// ~/.local/state/quadrel/Log.txt.
void SetLogPath(const std::string& path);
std::string LogPath();

// printf-style; the text is truncated to fit the 4096-byte entry.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Keeps the entries that the constructing thread logs while it lives, instead of writing them,
// so that work spread over threads can put its entries into the order a single thread would
// have written them (WriteLogEntries). One capture per thread at a time; captures nest.
class LogCapture {
  public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    // The entries kept so far, each a whole timestamped entry; the capture starts empty again.
    std::vector<std::string> Take();

  private:
    std::vector<std::string> m_entries;
    std::vector<std::string>* m_outer;
};
// Writes entries taken from a capture, in the order given (into the thread's own capture if any).
void WriteLogEntries(const std::vector<std::string>& entries);

// For tests: how often the log file has been opened since the start, and whether it is open now.
// A burst of entries within one second shares one opening.
int LogOpeningCount();
bool LogFileIsOpen();
