#include "app/OutputBatch.h"

#include "app/AtomicFile.h"
#include "app/Parallel.h"
#include "app/WriteLedger.h"

void OutputBatch::Add(std::string path, std::string source, Maker make) {
    m_items.push_back({std::move(path), std::move(source), std::move(make)});
}

std::vector<bool> OutputBatch::Write(WriteLedger& ledger, Notifier& notifier, int jobs,
                                     const std::string& failureText, const std::string& caption) {
    enum class State { Claimed, Duplicate, Failed, Stopped };
    struct Result {
        State state = State::Claimed;
        std::string firstSource;
        std::string reason;
    };
    std::vector<Result> results(m_items.size());
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (ledger.Claim(m_items[i].path, m_items[i].source) == WriteLedger::Outcome::Duplicate) {
            results[i].state = State::Duplicate;
            results[i].firstSource = ledger.Duplicates().back().firstSource;
        }
    }

    std::vector<StagedFile> staged(m_items.size());
    ParallelFor(m_items.size(), jobs, [&](size_t i) {
        Result& result = results[i];
        if (result.state != State::Claimed) return;
        // A stopped run begins no further file; the files already staged are still committed whole.
        if (ledger.Stopping()) {
            result.state = State::Stopped;
            return;
        }
        // A maker that throws fails its own file with its reason; the others are still committed.
        std::string bytes;
        try {
            bytes = m_items[i].make();
        } catch (const std::exception& error) {
            result.state = State::Failed;
            result.reason = error.what();
            return;
        }
        if (!StageFile(ledger.Root(), m_items[i].path, bytes, staged[i], result.reason)) {
            staged[i].temp.clear();
            result.state = State::Failed;
        }
    });
    const std::vector<std::string> errors = CommitStaged(staged);

    std::vector<bool> written(m_items.size(), false);
    for (size_t i = 0; i < m_items.size(); ++i) {
        Result& result = results[i];
        if (result.state == State::Claimed && !errors[i].empty()) {
            result.state = State::Failed;
            result.reason = errors[i];
        }
        if (result.state == State::Claimed) {
            written[i] = true;
            ledger.CountWritten();
        } else if (result.state == State::Stopped) {
            ledger.Release(m_items[i].path);
        } else if (result.state == State::Failed) {
            ledger.RecordFailure(m_items[i].path, result.reason);
            ReportWriteProblem(notifier, WriteLedger::Outcome::Failed, m_items[i].path, {}, m_items[i].source,
                               failureText, caption);
        } else {
            ReportWriteProblem(notifier, WriteLedger::Outcome::Duplicate, m_items[i].path, result.firstSource,
                               m_items[i].source, failureText, caption);
        }
    }
    m_items.clear();
    return written;
}
