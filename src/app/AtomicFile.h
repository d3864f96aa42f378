#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Writes `bytes` to a temporary file beside `path`, syncs it and renames it into place, so a crash or a
// full disk never leaves a half-written file or destroys the previous one. A symlink at `path` stays
// a link: the file it names is replaced. A replaced file keeps its permissions. Temporary files that
// a killed run left in the folder are removed on the first write there. Returns false (and leaves
// the old file untouched) when anything fails.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

// Writes one output file below the output folder `root`: no symlink below `root` is followed. A
// link at the file's own name is replaced by the file (its target is never opened); a folder on
// the way that is a link refuses the write, and `error` names it. `root` itself may be a link. An
// empty `root` writes as WriteFileAtomic does. On failure `error` says what failed and why.
bool WriteOutputAtomic(const std::string& root, const std::string& path, std::string_view bytes,
                       std::string& error);

// The same in two steps, for writers of many files: syncing each file on its own costs a disk
// round trip per file, so the files are staged first (written to their temporary files, on any
// thread) and committed together: one sync of the file system, then the renames, then one sync
// per folder. Nothing replaces a file before its data is on disk.
struct StagedFile {
    std::string temp;   // empty: nothing staged
    std::string target; // where the file goes: the end of the path's link chain without a root
    std::string root;   // the output folder (empty: links are followed)
};
// False (`error` set, nothing left behind) when the temporary file could not be written.
bool StageFile(const std::string& root, const std::string& path, std::string_view bytes, StagedFile& staged,
               std::string& error);
// Per file, empty when it is in place, else what failed (its temporary file is removed).
std::vector<std::string> CommitStaged(const std::vector<StagedFile>& files);

// For writers whose library writes the file by its name (zip packages): `write` is handed the path
// of a hidden temporary file beside `path` (its folder reached as above) and writes it whole; the
// file is then synced and renamed over `path`'s entry. A temporary the library makes from that
// name is hidden too, and removed with the others of a killed run. False with `error` set (and
// the temporary removed) when anything fails.
using WriteByName = std::function<bool(const std::string& temporary, std::string& error)>;
bool WriteOutputByName(const std::string& root, const std::string& path, const WriteByName& write,
                       std::string& error);

// The text of an errno value; safe on any thread (strerror is not).
std::string ErrorText(int error);

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
