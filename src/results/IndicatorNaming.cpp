#include "results/IndicatorNaming.h"

#include "document/QuadrelDoc.h"

namespace {
constexpr const char* kSection = "IDD_DIALOG_NAME";
constexpr const char* kChineseKey = "IDC_RADIO_CHINESE";
constexpr const char* kEnglishKey = "IDC_RADIO_ENGLISH";
} // namespace

bool UsesChineseIndicatorNames(const CQuadrelDoc& doc) {
    return doc.ReadConfig(kSection, kChineseKey) == "TRUE";
}

ConfigWrites IndicatorNamingWrites(bool chinese) {
    ConfigWrites writes;
    AddConfigWrite(writes, kSection, kChineseKey, chinese ? "TRUE" : "FALSE");
    AddConfigWrite(writes, kSection, kEnglishKey, chinese ? "FALSE" : "TRUE");
    return writes;
}
