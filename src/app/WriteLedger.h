#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Failure.h"

// How far a run has come, and whether it is to stop; shared with the thread that shows it.
struct WriteProgress {
    std::atomic<int> written{0};
    std::atomic<bool> stop{false};
};

// The files one run writes. Two inputs that map to one output name would silently overwrite each
// other, and a failed write must never end in a success message: the ledger sees both.
class WriteLedger {
  public:
    enum class Outcome { Written, Failed, Duplicate, Stopped };

    // The run reports its written files to `progress` and begins no further file once it is asked
    // to stop; every file begun is completed, so a stop never leaves a partial file.
    void Follow(WriteProgress* progress) { m_progress = progress; }
    bool Stopping() const { return m_progress && m_progress->stop.load(); }
    // A file written outside `Write` (staged and committed by a batch) is counted for the progress.
    void CountWritten() const;
    // A claimed file that was not begun because the run stopped: it is no longer this run's.
    void Release(const std::string& path);

    // `root`: the output folder; below it no symlink is followed (see WriteOutputAtomic). Without
    // one, a symlink at a written name stays a link.
    explicit WriteLedger(std::string root = {}) : m_root(std::move(root)) {}
    const std::string& Root() const { return m_root; }

    // Writes `bytes` atomically to `path` unless this run wrote that path already (then nothing
    // is written: the first input keeps its file). `source` names what the file was made from.
    Outcome Write(const std::string& path, std::string_view bytes, const std::string& source);

    // For writers that make their bytes later, elsewhere: `Claim` decides whether this run may
    // write `path` (Written: it may; Duplicate: an earlier input has it), and `RecordFailure`
    // books a claimed write that went wrong.
    Outcome Claim(const std::string& path, const std::string& source);
    void RecordFailure(const std::string& path, const std::string& reason);

    // A failed write: kind WriteFailed, the path and why.
    using Failure = ::Failure;
    struct Duplicate {
        std::string path;
        std::string firstSource;
        std::string skippedSource;
    };
    // The clashes, read in claim order. An archive of one antenna's copies clashes on every file of
    // its later copies, so they are kept as interned folders and names, made whole when read.
    class DuplicateList {
      public:
        class Iterator {
          public:
            Iterator(const WriteLedger* ledger, size_t index) : m_ledger(ledger), m_index(index) {}
            Duplicate operator*() const { return m_ledger->DuplicateAt(m_index); }
            Iterator& operator++() {
                ++m_index;
                return *this;
            }
            bool operator==(const Iterator& other) const { return m_index == other.m_index; }

          private:
            const WriteLedger* m_ledger;
            size_t m_index;
        };
        explicit DuplicateList(const WriteLedger* ledger) : m_ledger(ledger) {}
        size_t size() const { return m_ledger->m_duplicates.size(); }
        bool empty() const { return size() == 0; }
        Duplicate operator[](size_t index) const { return m_ledger->DuplicateAt(index); }
        Duplicate back() const { return m_ledger->DuplicateAt(size() - 1); }
        Iterator begin() const { return {m_ledger, 0}; }
        Iterator end() const { return {m_ledger, size()}; }

      private:
        const WriteLedger* m_ledger;
    };

    const std::vector<Failure>& Failures() const { return m_failures; }
    DuplicateList Duplicates() const { return DuplicateList(this); }
    bool Wrote(const std::string& path) const;
    size_t WrittenCount() const { return m_written.size() - m_failedKeys.size(); }
    // Every path written, in the order claimed.
    std::vector<std::string> WrittenPaths() const;

  private:
    // A path as its folder (an index into m_folderNames) and its name (a span of m_names).
    struct PooledPath {
        uint32_t folder;
        uint32_t offset;
        uint32_t size;
    };
    std::string Normalised(const std::string& path) const;
    PooledPath Pooled(const std::string& path);
    std::string Whole(const PooledPath& path) const;
    Duplicate DuplicateAt(size_t index) const;

    std::string m_root;
    mutable std::map<std::string, std::string> m_folders; // folder as given -> its canonical form (a cache)
    std::map<std::string, std::string> m_written;         // normalised path -> source (failed ones too)
    std::set<std::string> m_failedKeys;
    std::vector<Failure> m_failures;
    std::vector<std::string> m_folderNames; // with their trailing separator
    std::map<std::string, uint32_t, std::less<>> m_folderIds;
    std::string m_names;
    std::vector<std::array<PooledPath, 3>> m_duplicates; // path, first source, skipped source
    std::vector<std::string> m_claimed;                  // as given, in claim order
    WriteProgress* m_progress = nullptr;
};

class Notifier;

// What the user is told of a write that did not happen: a failure shows `failureText` under
// `caption`; a duplicate is a warning naming both inputs. Nothing for a written file.
void ReportWriteProblem(Notifier& notifier, WriteLedger::Outcome outcome, const std::string& path,
                        const std::string& firstSource, const std::string& source,
                        const std::string& failureText, const std::string& caption);

// Writes one output file, through the ledger when there is one. A failure shows `failureText`
// under `caption` (the message box the writer always showed); a second write to one path is a
// warning naming both sources. True when the file was written.
bool WriteOutput(WriteLedger* ledger, Notifier& notifier, const std::string& path, std::string_view bytes,
                 const std::string& source, const std::string& failureText, const std::string& caption);
