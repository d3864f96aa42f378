#pragma once
#include <string>
#include <vector>

namespace ooxml {

// The lock files an office suite puts beside a document it holds open: LibreOffice's
// ".~lock.NAME#" and Word's owner file, "~$" followed by the name without its first two
// characters ("~$NAME" for a name too short for that).
std::vector<std::string> LockFilePaths(const std::string& path);

// The first lock file of an office suite that stands beside `path`; empty when there is none.
std::string LockFileBeside(const std::string& path);

} // namespace ooxml
