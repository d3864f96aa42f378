#include "app/WriteLedger.h"

#include <filesystem>

#include "app/AtomicFile.h"
#include "app/Notifier.h"

// "a//b/./c" and "a/b/c" are one file; so are two spellings through a symlinked folder. A run
// writes thousands of files into a few folders, so each folder is resolved once.
std::string WriteLedger::Normalised(const std::string& path) const {
    const std::filesystem::path p(path);
    const std::string given = p.parent_path().string();
    auto folder = m_folders.find(given);
    if (folder == m_folders.end()) {
        std::error_code ec;
        std::filesystem::path canonical = std::filesystem::weakly_canonical(given.empty() ? "." : given, ec);
        if (ec) canonical = p.parent_path().lexically_normal();
        folder = m_folders.emplace(given, canonical.string()).first;
    }
    return (std::filesystem::path(folder->second) / p.filename()).string();
}

WriteLedger::PooledPath WriteLedger::Pooled(const std::string& path) {
    const size_t cut = path.find_last_of('/') + 1; // 0 when the path names no folder
    const std::string_view folder(path.data(), cut);
    auto id = m_folderIds.find(folder);
    if (id == m_folderIds.end()) {
        id = m_folderIds.emplace(std::string(folder), static_cast<uint32_t>(m_folderNames.size())).first;
        m_folderNames.emplace_back(folder);
    }
    const PooledPath pooled{id->second, static_cast<uint32_t>(m_names.size()),
                            static_cast<uint32_t>(path.size() - cut)};
    m_names.append(path, cut);
    return pooled;
}

std::string WriteLedger::Whole(const PooledPath& path) const {
    std::string whole = m_folderNames[path.folder];
    return whole.append(m_names, path.offset, path.size);
}

WriteLedger::Duplicate WriteLedger::DuplicateAt(size_t index) const {
    const auto& [path, first, skipped] = m_duplicates[index];
    return {Whole(path), Whole(first), Whole(skipped)};
}

WriteLedger::Outcome WriteLedger::Claim(const std::string& path, const std::string& source) {
    const std::string key = Normalised(path);
    if (auto it = m_written.find(key); it != m_written.end()) {
        m_duplicates.push_back({Pooled(path), Pooled(it->second), Pooled(source)});
        return Outcome::Duplicate;
    }
    // A failed path is claimed too: a later input must not fill it silently with other data.
    m_written.emplace(key, source);
    m_claimed.push_back(path);
    return Outcome::Written;
}

void WriteLedger::CountWritten() const {
    if (m_progress) ++m_progress->written;
}

void WriteLedger::Release(const std::string& path) {
    m_written.erase(Normalised(path));
}

std::vector<std::string> WriteLedger::WrittenPaths() const {
    std::vector<std::string> paths;
    for (const std::string& path : m_claimed)
        if (Wrote(path)) paths.push_back(path);
    return paths;
}

void WriteLedger::RecordFailure(const std::string& path, const std::string& reason) {
    m_failures.push_back({FailureKind::WriteFailed, path, 0, reason});
    m_failedKeys.insert(Normalised(path));
}

WriteLedger::Outcome WriteLedger::Write(const std::string& path, std::string_view bytes,
                                        const std::string& source) {
    if (Stopping()) return Outcome::Stopped;
    if (Claim(path, source) == Outcome::Duplicate) return Outcome::Duplicate;
    std::string error;
    if (!WriteOutputAtomic(m_root, path, bytes, error)) {
        RecordFailure(path, error);
        return Outcome::Failed;
    }
    CountWritten();
    return Outcome::Written;
}

bool WriteLedger::Wrote(const std::string& path) const {
    const std::string key = Normalised(path);
    return m_written.count(key) > 0 && m_failedKeys.count(key) == 0;
}

void ReportWriteProblem(Notifier& notifier, WriteLedger::Outcome outcome, const std::string& path,
                        const std::string& firstSource, const std::string& source,
                        const std::string& failureText, const std::string& caption) {
    if (outcome == WriteLedger::Outcome::Failed) notifier.Notify(failureText, caption);
    if (outcome == WriteLedger::Outcome::Duplicate)
        notifier.Warning(path, "written already in this run from " + firstSource + "; " + source +
                                   " maps to the same file and was not written");
}

bool WriteOutput(WriteLedger* ledger, Notifier& notifier, const std::string& path, std::string_view bytes,
                 const std::string& source, const std::string& failureText, const std::string& caption) {
    WriteLedger local;
    WriteLedger& used = ledger ? *ledger : local;
    const WriteLedger::Outcome outcome = used.Write(path, bytes, source);
    const std::string firstSource =
        outcome == WriteLedger::Outcome::Duplicate ? used.Duplicates().back().firstSource : std::string();
    ReportWriteProblem(notifier, outcome, path, firstSource, source, failureText, caption);
    return outcome == WriteLedger::Outcome::Written;
}
