#include "export/ExportOptions.h"

#include "document/QuadrelDoc.h"

const std::array<ExportOptionKey, 14> kExportOptionKeys = {{
    {"IDC_RADIO_WORD_REPORT1", &DataExportOptions::wordReport1},
    {"IDC_RADIO_WORD_REPORT2", &DataExportOptions::wordReport2},
    {"IDC_RADIO_CHINA", &DataExportOptions::chinese},
    {"IDC_RADIO_ENG", &DataExportOptions::english},
    {"IDC_RADIO_EXCEL_REPORT", &DataExportOptions::excelReport},
    {"IDC_RADIO_EXCEL_DATA", &DataExportOptions::excelData},
    {"IDC_RADIO_PIN", &DataExportOptions::pln},
    {"IDC_RADIO_MSI", &DataExportOptions::msi},
    {"IDC_RADIO_XML", &DataExportOptions::xml},
    {"IDC_RADIO_TXT", &DataExportOptions::txt},
    {"IDC_CHECK_TMVMSI", &DataExportOptions::tmvmsi},
    {"IDC_CHECK_ONESHEET", &DataExportOptions::oneSheet},
    {"IDC_RADIO_DIRECTION", &DataExportOptions::encrypt},
    {"IDC_RADIO_PAIN", &DataExportOptions::gainFiles},
}};

DataExportOptions LoadExportOptions(const CQuadrelDoc& doc) {
    DataExportOptions options;
    for (const ExportOptionKey& entry : kExportOptionKeys)
        options.*entry.member = doc.ReadConfig(kExportSection, entry.key) == "TRUE";
    options.pdf = doc.ReadConfig(kExportSection, kExportPdfKey) == "TRUE";
    return options;
}

ConfigWrites StoreExportOptions(const DataExportOptions& options) {
    const auto write = [](std::string_view key, bool on) {
        return ConfigWrite{std::string(kExportSection), std::string(key), on ? "TRUE" : "FALSE"};
    };
    ConfigWrites writes;
    for (const ExportOptionKey& entry : kExportOptionKeys)
        writes.push_back(write(entry.key, options.*entry.member));
    writes.push_back(write(kExportPdfKey, options.pdf));
    return writes;
}
