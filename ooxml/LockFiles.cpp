#include "LockFiles.h"

#include <sys/stat.h>

namespace ooxml {

std::vector<std::string> LockFilePaths(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::vector<std::string> paths{folder + ".~lock." + name + "#", folder + "~$" + name};
    if (name.size() > 2) paths.push_back(folder + "~$" + name.substr(2));
    return paths;
}

std::string LockFileBeside(const std::string& path) {
    for (const std::string& lock : LockFilePaths(path)) {
        // lstat: a lock file is only looked at, never opened (it may be anything, a pipe included).
        struct stat info {};
        if (::lstat(lock.c_str(), &info) == 0) return lock;
    }
    return {};
}

} // namespace ooxml
