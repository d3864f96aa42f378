#include "commands/SettingsCommands.h"

#include <filesystem>

#include "commands/Analysis.h"
#include "commands/DataExport.h"
#include "commands/SaveAsSummary.h"
#include "commands/SelectionApply.h"
#include "commands/SettingsApply.h"
#include "commands/StartUp.h"
#include "commands/UndoHistory.h"
#include "document/ProgramTexts.h"
#include "export/ExportTexts.h"
#include "export/SaveAs.h"
#include "results/SelectionStore.h"

namespace {
void ShowNewResults(Session& session) {
    RebuildMarkerList(session.Doc(), session.plot.markerSwitches, session.plot.markers);
    session.Doc().GetListener().RedrawView();
}

EditScope AnalysisScope() {
    EditScope scope;
    scope.analysis = true;
    return scope;
}

void AnnounceSettings(Session& session, const EditScope& scope = EditScope()) {
    DocumentChange change = ChangeOf(scope);
    change.fields |= DocumentChange::Settings;
    session.Doc().GetListener().DocumentChanged(change);
}

// A setup OK stops at its first invalid entry with the entries before it stored and applied; that
// part is an edit too, and one that stored no new value is none.
template <class Step, class Accept> Step SetupOk(Session& session, const char* name, Step ok, Accept accept) {
    UndoRecord record(session.Doc(), session.history, name, AnalysisScope());
    const Step step = accept();
    if (step == ok || record.ChangedSettings()) {
        record.Commit();
        AnnounceSettings(session, AnalysisScope());
    }
    ShowNewResults(session);
    return step;
}
} // namespace

HSetupStep HSetupOk(Session& session, const HSetupForm& form) {
    return SetupOk(session, kEditHSetup, HSetupStep::Ok, [&] { return AcceptHSetup(session.Doc(), form); });
}

VSetupStep VSetupOk(Session& session, const VSetupForm& form) {
    return SetupOk(session, kEditVSetup, VSetupStep::Ok, [&] { return AcceptVSetup(session.Doc(), form); });
}

HSetupForm HSetupDefaults(Session& session) {
    UndoRecord record(session.Doc(), session.history, kEditHSetup, AnalysisScope());
    HSetupForm form = ApplyHSetupDefaults(session.Doc());
    if (record.ChangedSettings()) {
        record.Commit();
        AnnounceSettings(session, AnalysisScope());
    }
    return form;
}

VSetupForm VSetupDefaults(Session& session) {
    UndoRecord record(session.Doc(), session.history, kEditVSetup, AnalysisScope());
    VSetupForm form = ApplyVSetupDefaults(session.Doc());
    if (record.ChangedSettings()) {
        record.Commit();
        AnnounceSettings(session, AnalysisScope());
    }
    return form;
}

void RadiationOk(Session& session, const RadiationForm& form) {
    SetupOk(session, kEditRadiation, true, [&] {
        AcceptRadiationSetup(session.Doc(), form);
        return true;
    });
}

bool ToggleIndicatorCommand(Session& session, int commandId) {
    if (!ToggleIndicator(session.Doc(), commandId)) return false;
    AnnounceSettings(session);
    return true;
}

void SetIndicatorFlagsCommand(Session& session,
                              const std::vector<std::pair<const SelectionFlagInfo*, int32_t>>& values) {
    for (const auto& [flag, value] : values) session.Doc().selection.SetValue(*flag, value);
    AnnounceSettings(session);
    RebuildResultPanes(session.Doc());
}

void NamingOk(Session& session, bool chinese) {
    StoreIndicatorNaming(session.Doc(), chinese);
    AnnounceSettings(session);
    RebuildResultPanes(session.Doc());
}

bool LoadSelectionFileCommand(Session& session, const std::string& path) {
    return LoadSelectionFile(session.Doc(), path);
}

bool SaveSelectionFileCommand(Session& session, const std::string& path) {
    return SaveSelectionFile(session.Doc(), path);
}

bool EnvelopeFolderOk(Session& session, const std::string& folder) {
    CQuadrelDoc& doc = session.Doc();
    if (folder.empty()) {
        doc.GetNotifier().Notify(kTextSavePathEmpty, kCaptionApplication);
        return false;
    }
    UndoRecord record(doc, session.history, kEditEnvelope, AnalysisScope());
    doc.ReadEnvelopeFolder(folder);
    doc.WriteConfig("IDD_DIALOG_OPEN_CONFIG", "IDC_EDIT_OPEN_CONFIG", folder);
    RecomputeAll(doc);
    record.Commit();
    AnnounceSettings(session, AnalysisScope());
    doc.GetListener().RedrawView();
    return true;
}

bool SaveAsOk(Session& session, const std::string& folder) {
    return SaveAllAsExactDataOnce(session.Doc(), folder) >= 0;
}

void XmlConfigOk(Session& session, const std::string& path) {
    std::error_code ec;
    if (!path.empty() && !std::filesystem::exists(path, ec))
        session.Doc().GetNotifier().Notify(path + "文件在磁盘上不存在", "信息提示");
    session.xmlConfigPath = path;
}

bool ExportDialogOk(Session& session, const std::string& workingFolder, const DataExportOptions& options,
                    const PatternInfoConfig& patternInfo) {
    return AcceptExportDialog(session.Doc(), session.exportState, workingFolder, options, patternInfo);
}

ExportRunResult RunExportCommand(Session& session, ReportLauncher* reports) {
    const ExportRunResult result = RunDataExport(session.Doc(), session.exportState, reports);
    session.Doc().GetListener().RefreshCurrentResults();
    session.Doc().GetListener().RefreshAllResults();
    return result;
}
