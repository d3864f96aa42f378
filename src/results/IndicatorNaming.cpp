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

void StoreIndicatorNaming(CQuadrelDoc& doc, bool chinese) {
    doc.WriteConfig(kSection, kChineseKey, chinese ? "TRUE" : "FALSE");
    doc.WriteConfig(kSection, kEnglishKey, chinese ? "FALSE" : "TRUE");
}
