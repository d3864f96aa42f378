#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/CollectingNotifier.h"
#include "app/WriteLedger.h"
#include "commands/ExportSummary.h"
#include "document/QuadrelDoc.h"
#include "export/ExportDriver.h"
#include "export/ExportState.h"

struct Session;
class ReportLauncher;

// The export of the desktop program: it runs on a worker over its own copy of the document and
// of the export state, taken when it starts, so the window stays usable (selecting, plotting,
// reading results, even editing) and nothing done meanwhile reaches the files being written. The
// copy is analysed on the worker and then frozen: every writer and the report worker read it as
// it was, and nothing can change it.
class ExportJob {
  public:
    // On the window's thread, after the export dialog's OK.
    explicit ExportJob(const Session& session);
    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;

    // On the worker: the whole export, the word reports through `reports`. The run's messages and
    // warnings are held for its summary (a stopped run's names what was written); only the notice
    // at the start and the reasons of a refused run reach the user at once.
    ExportRunResult Run(ReportLauncher* reports);
    // Once Run has returned.
    const ExportSummary& Summary() const { return m_summary; }

    // From any thread: no further file is begun; every file begun is completed.
    void Stop() { m_progress.stop = true; }
    // Files written so far, of the files the pattern exports are expected to write (grows to the
    // files written when the expectation was short).
    int FilesDone() const { return m_progress.written.load(); }
    int FilesExpected() const;

    // On the window's thread once the worker has ended: what the run leaves for the next one (the
    // frequency list, the PLN folder, the ledger) becomes the session's.
    void Finish(Session& session) const;
    const WriteLedger& Ledger() const { return m_state.ledger; }

  private:
    CollectingNotifier m_collected;
    // The copy until the run has analysed it, then the frozen snapshot the run reads.
    std::unique_ptr<CQuadrelDoc> m_copy;
    std::shared_ptr<const CQuadrelDoc> m_snapshot;
    ExportState m_state;
    WriteProgress m_progress;
    int m_expected = 0;
    ExportSummary m_summary;
};

// What the user is told when a stopped export ends: how many files were written, per folder.
std::string StoppedExportText(const std::vector<std::string>& written);
