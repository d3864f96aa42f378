#include "commands/StartUp.h"

#include <memory>

#include "app/ConfigLocation.h"
#include "app/ConfigStore.h"
#include "app/Parallel.h"
#include "commands/SelectionApply.h"
#include "commands/SettingsApply.h"
#include "document/QuadrelDoc.h"
#include "operations/Rotation.h"
#include "plot/Screenshot.h"

void InitialiseDocument(CQuadrelDoc& doc, const std::string& configDir) {
    const std::string shipped = ShippedDataDir();
    std::vector<std::string> restored;
    SeedConfigDir(configDir, &restored);
    for (const std::string& path : restored)
        doc.GetNotifier().Warning(path, "was missing; the shipped template is used in its place");
    // Without shipped defaults a path relative to the working folder must not stand in for them.
    auto config = std::make_shared<ConfigStore>(configDir + "Config.xml",
                                                shipped.empty() ? std::string() : shipped + "Config.xml");
    const std::string fallback = shipped.empty()
                                     ? "no shipped defaults were found (" + ShippedDataPlaces() +
                                           "), so every setting takes the program's built-in value"
                                     : "the shipped defaults of " + shipped + "Config.xml are used";
    switch (config->Health()) {
    case ConfigHealth::Loaded:
        break;
    case ConfigHealth::Missing:
        doc.GetNotifier().Warning(config->FilePath(),
                                  "cannot be created; " + fallback + " and changed settings cannot be saved");
        break;
    case ConfigHealth::Unusable: {
        Failure fault = config->Fault();
        fault.path.clear(); // the warning names the file
        doc.GetNotifier().Warning(config->FilePath(), "is not a readable configuration (" + fault.Describe() +
                                                          "); " + fallback +
                                                          " and the file is left as it is");
        break;
    }
    }
    doc.AttachConfig(std::move(config));
    doc.programFolder = configDir;
    doc.configFolder = shipped;
    doc.noGainFlag = 0;
    LoadAnalysisSettings(doc);
    RestoreMenuValues(doc);
    doc.rotation = StoredRotationSettings(doc);
    doc.screenshotFolder = configDir;
    doc.captureMode = LoadCaptureMode(
        [&doc](const char* section, const char* key) { return doc.ReadConfig(section, key); });
    // Envelope curves: the shipped configuration folder, the user's configuration folder and the
    // folder last chosen in the envelope configuration dialog.
    if (!doc.configFolder.empty()) doc.ReadEnvelopeFolder(doc.configFolder);
    if (configDir != doc.configFolder) doc.ReadEnvelopeFolder(configDir);
    const std::string chosen = doc.ReadConfig("IDD_DIALOG_OPEN_CONFIG", "IDC_EDIT_OPEN_CONFIG");
    if (!chosen.empty()) doc.ReadEnvelopeFolder(chosen);
}

std::unique_ptr<Session> CreateSession(const std::string& configDir, Notifier* notifier,
                                       DocumentListener* listener) {
    auto session = std::make_unique<Session>();
    session->doc = std::make_unique<CQuadrelDoc>(notifier, listener);
    // Files are read, analysed and exported on every core; the outcome is that of one thread.
    session->doc->jobs = CoreCount();
    InitialiseDocument(*session->doc, configDir);
    session->plot = LoadPlotState(*session->doc);
    return session;
}
