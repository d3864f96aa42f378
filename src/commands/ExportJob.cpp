#include "commands/ExportJob.h"

#include <algorithm>
#include <map>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"
#include "commands/DataExport.h"
#include "commands/StartUp.h"
#include "document/ProgramTexts.h"
#include "export/ExportTexts.h"

namespace {
// One file per cut for each MSI flavour, one per horizontal co-polar cut for PLN and TXT (and at
// most as many XML groups); the run's own count replaces the guess where it is higher.
int ExpectedPatternFiles(const CQuadrelDoc& doc, const DataExportOptions& options) {
    const int cuts = static_cast<int>(doc.table.size());
    const int horizontal =
        static_cast<int>(std::count_if(doc.table.begin(), doc.table.end(), [](const auto& entry) {
            return Contains(ToLower(entry.second.fileName), "_h_co");
        }));
    return (options.msi ? cuts : 0) + (options.tmvmsi ? cuts : 0) + (options.pln ? horizontal : 0) +
           (options.txt ? horizontal : 0) + (options.xml ? horizontal : 0);
}
} // namespace

ExportJob::ExportJob(const Session& session)
    : m_collected(
          &session.Doc().GetNotifier(), [](const std::string& text) { return text != kTextExportNotice; },
          true),
      m_copy(std::make_unique<CQuadrelDoc>(session.Doc())), m_state(session.exportState),
      m_expected(ExpectedPatternFiles(session.Doc(), session.exportState.options)) {
    // The copy is nobody's view: the panes follow the window's document, not this one.
    m_copy->SetListener(nullptr);
    m_copy->SetNotifier(&m_collected);
    m_state.progress = &m_progress;
}

ExportRunResult ExportJob::Run(ReportLauncher* reports) {
    ExportRunResult result = ExportRunResult::Refused;
    if (PrepareDataExport(*m_copy, m_state)) {
        m_snapshot = std::move(m_copy);
        result = WriteDataExport(*m_snapshot, m_state, reports);
    }
    // A refused run wrote nothing: its reason is the whole answer, as the checks always gave it.
    if (result == ExportRunResult::Refused) m_collected.Release();
    m_summary = SummariseExport(m_state.ledger, result, m_collected.Messages(), m_collected.Warnings());
    return result;
}

int ExportJob::FilesExpected() const {
    return std::max(m_expected, FilesDone());
}

void ExportJob::Finish(Session& session) const {
    session.exportState = m_state;
    session.exportState.progress = nullptr;
    session.exportState.ledger.Follow(nullptr);
}

std::string StoppedExportText(const std::vector<std::string>& written) {
    std::map<std::string, int> perFolder;
    for (const std::string& path : written) ++perFolder[FolderOf(path)];
    std::string text = "Export stopped: " + std::to_string(written.size()) +
                       (written.size() == 1 ? " file was" : " files were") + " written";
    text += written.empty() ? "." : ":";
    for (const auto& [folder, count] : perFolder)
        text += "\n" + folder + ": " + std::to_string(count) + (count == 1 ? " file" : " files");
    return text;
}
