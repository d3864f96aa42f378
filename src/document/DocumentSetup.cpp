#include "document/DocumentSetup.h"

#include <memory>

#include "analysis/AnalysisSettingsLoad.h"
#include "app/ConfigLocation.h"
#include "app/ConfigStore.h"
#include "document/QuadrelDoc.h"

void InitialiseDocument(CQuadrelDoc& doc, const std::string& configDir) {
    const std::string shipped = ShippedDataDir();
    SeedConfigDir(configDir);
    doc.AttachConfig(std::make_shared<ConfigStore>(configDir + "Config.xml", shipped + "Config.xml"));
    doc.programFolder = configDir;
    doc.configFolder = shipped;
    doc.noGainFlag = 0;
    LoadAnalysisSettings(doc);
    if (!doc.configFolder.empty()) doc.ReadEnvelopeFolder(doc.configFolder);
}
