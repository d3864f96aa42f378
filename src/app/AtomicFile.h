#pragma once
#include <string>
#include <string_view>

// Writes `bytes` to a temporary file beside `path`, syncs it and renames it into place, so a crash or a
// full disk never leaves a half-written file or destroys the previous one. A symlink at `path` stays
// a link: the file it names is replaced. A replaced file keeps its permissions. Temporary files that
// a killed run left in the folder are removed on the first write there. Returns false (and leaves
// the old file untouched) when anything fails. A writer of many files in one folder may leave the
// folder's sync to one `SyncFolder` call after the last of them.
enum class FolderSync { Now, Later };
bool WriteFileAtomic(const std::string& path, std::string_view bytes,
                     FolderSync folderSync = FolderSync::Now);
// Makes the renames into `folder` durable; a folder that cannot be synced is left as it is.
void SyncFolder(const std::string& folder);
// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

// Only regular files are read: a folder, a named pipe or a device where a file is expected is refused
// at once, never waited on or sized from a seek.
enum class ReadResult { Ok, Missing, NotAFile, Unreadable };
ReadResult ReadRegularFile(const std::string& path, std::string& bytes);

// Reads a whole regular file; false (and `bytes` empty) for anything else.
bool ReadWholeFile(const std::string& path, std::string& bytes);
