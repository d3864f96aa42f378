#pragma once
#include <array>
#include <string_view>

#include "app/ConfigStore.h"

class CQuadrelDoc;

// The choices of the "Export Data" dialog, one per check box.
struct DataExportOptions {
    bool wordReport1 = false;
    bool wordReport2 = false;
    bool chinese = false; // template language of report format 1
    bool english = false;
    bool excelReport = false; // analysis-result workbook
    bool excelData = false;   // raw-data workbook
    bool pln = false;
    bool msi = false;
    bool xml = false;
    bool txt = false;
    bool tmvmsi = false;
    bool oneSheet = false;
    bool pdf = false; // each Word report also as PDF beside it
    // Stored and persisted for the desktop's hidden boxes; no export reads them.
    bool encrypt = false;
    bool gainFiles = false;
};

// Section of the configuration store that remembers the dialog's boxes.
inline constexpr std::string_view kExportSection = "IDD_DIALOG_DATA_EXPORT";

struct ExportOptionKey {
    std::string_view key;
    bool DataExportOptions::*member;
};

// The "PDF" box beside the Word reports, persisted under its own key.
inline constexpr std::string_view kExportPdfKey = "IDC_CHECK_PDF";

// Every box with its persisted key, in the dialog's order.
extern const std::array<ExportOptionKey, 14> kExportOptionKeys;

// The boxes as the dialog opens: checked where the stored value reads "TRUE".
DataExportOptions LoadExportOptions(const CQuadrelDoc& doc);
// Every box as "TRUE" or "FALSE".
ConfigWrites StoreExportOptions(const DataExportOptions& options);
