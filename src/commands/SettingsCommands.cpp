#include "commands/SettingsCommands.h"

#include "analysis/AnalysisDriver.h"
#include "commands/StartUp.h"
#include "document/ProgramTexts.h"
#include "export/ExportTexts.h"
#include "results/IndicatorNaming.h"
#include "results/SelectionStore.h"

namespace {
void ShowNewResults(Session& session) {
    RebuildMarkerList(session.Doc(), session.plot.markerSwitches, session.plot.markers);
    session.Doc().GetListener().RedrawView();
}
} // namespace

HSetupStep HSetupOk(Session& session, const HSetupForm& form) {
    const HSetupStep step = AcceptHSetup(session.Doc(), form);
    ShowNewResults(session);
    return step;
}

VSetupStep VSetupOk(Session& session, const VSetupForm& form) {
    const VSetupStep step = AcceptVSetup(session.Doc(), form);
    ShowNewResults(session);
    return step;
}

void RadiationOk(Session& session, const RadiationForm& form) {
    AcceptRadiationSetup(session.Doc(), form);
    ShowNewResults(session);
}

bool ToggleIndicatorCommand(Session& session, int commandId) {
    return ToggleIndicator(session.Doc(), commandId);
}

void SetIndicatorFlagsCommand(Session& session,
                              const std::vector<std::pair<const SelectionFlagInfo*, int32_t>>& values) {
    for (const auto& [flag, value] : values) session.Doc().selection.SetValue(*flag, value);
    RebuildResultPanes(session.Doc());
}

void NamingOk(Session& session, bool chinese) {
    StoreIndicatorNaming(session.Doc(), chinese);
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
    doc.ReadEnvelopeFolder(folder);
    doc.WriteConfig("IDD_DIALOG_OPEN_CONFIG", "IDC_EDIT_OPEN_CONFIG", folder);
    RecomputeAll(doc);
    doc.GetListener().RedrawView();
    return true;
}

bool ExportDialogOk(Session& session, const std::string& workingFolder, const DataExportOptions& options,
                    const PatternInfoConfig& patternInfo) {
    return AcceptExportDialog(session.Doc(), session.exportState, workingFolder, options, patternInfo);
}

ExportRunResult RunExportCommand(Session& session) {
    const ExportRunResult result = RunDataExport(session.Doc(), session.exportState);
    session.Doc().GetListener().RefreshCurrentResults();
    session.Doc().GetListener().RefreshAllResults();
    return result;
}
