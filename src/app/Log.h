#pragma once
#include <string>

// The diagnostic log: an append-only text file, one timestamped entry per call, serialised by one
// process-wide lock. Entries are dropped silently when the file system holds less than 100 MiB.
// Where the log goes: `path` (tests), else $XDG_STATE_HOME/quadrel/Log.txt, else
// ~/.local/state/quadrel/Log.txt.
void SetLogPath(const std::string& path);
std::string LogPath();

// printf-style; the text is truncated to fit the 4096-byte entry.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// For tests: how often the log file has been opened since the start, and whether it is open now.
// A burst of entries within one second shares one opening.
int LogOpeningCount();
bool LogFileIsOpen();
