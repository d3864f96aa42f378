// Config.xml: the store reads the file, then the analysis settings decode every value they use
// from it (the range checks of decoded values live there).
#include <memory>

#include "FuzzSupport.h"
#include "analysis/AnalysisSettingsLoad.h"
#include "app/ConfigStore.h"
#include "document/QuadrelDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratchFile("Config.xml", fuzz::Bytes(data, size));
    CQuadrelDoc doc;
    doc.AttachConfig(std::make_shared<ConfigStore>(path));
    ReadAnalysisSettings(doc);
    DecodeConfigValue("IDC_EDIT_NXLEVEL", fuzz::Bytes(data, size));
    return 0;
}
