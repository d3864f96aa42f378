#include "app/WriteLedger.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/AtomicFile.h"
#include "app/Notifier.h"

namespace {
// "a//b/./c" and "a/b/c" are one file; so are two spellings through a symlinked folder.
std::string Normalised(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p(path);
    std::filesystem::path folder =
        std::filesystem::weakly_canonical(p.parent_path().empty() ? "." : p.parent_path(), ec);
    if (ec) folder = p.parent_path().lexically_normal();
    return (folder / p.filename()).string();
}
} // namespace

WriteLedger::Outcome WriteLedger::Write(const std::string& path, std::string_view bytes,
                                        const std::string& source) {
    const std::string key = Normalised(path);
    if (auto it = m_written.find(key); it != m_written.end()) {
        m_duplicates.push_back({path, it->second, source});
        return Outcome::Duplicate;
    }
    // A failed path is claimed too: a later input must not fill it silently with other data.
    m_written.emplace(key, source);
    errno = 0;
    if (!WriteFileAtomic(path, bytes)) {
        m_failures.push_back({path, errno ? std::strerror(errno) : "write failed"});
        m_failedKeys.insert(key);
        return Outcome::Failed;
    }
    return Outcome::Written;
}

bool WriteLedger::Wrote(const std::string& path) const {
    const std::string key = Normalised(path);
    return m_written.count(key) > 0 && m_failedKeys.count(key) == 0;
}

bool WriteOutput(WriteLedger* ledger, Notifier& notifier, const std::string& path, std::string_view bytes,
                 const std::string& source, const std::string& failureText, const std::string& caption) {
    WriteLedger local;
    switch ((ledger ? *ledger : local).Write(path, bytes, source)) {
    case WriteLedger::Outcome::Written:
        return true;
    case WriteLedger::Outcome::Failed:
        notifier.Notify(failureText, caption);
        return false;
    case WriteLedger::Outcome::Duplicate:
        notifier.Warning(path, "written already in this run from " + ledger->Duplicates().back().firstSource +
                                   "; " + source + " maps to the same file and was not written");
        return false;
    }
    return false;
}
