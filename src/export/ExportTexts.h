#pragma once

// What the export command tells the user, character for character.
inline constexpr const char* kCaptionValidation = "ERROR";
inline constexpr const char* kTextExportPathInvalid = "Export path is empty or does not exist！";
inline constexpr const char* kTextNoData = "No data, select data.";
inline constexpr const char* kTextConfigFolderEmpty =
    "Make sure the Config File path, and to ensure that this path exists in the template folder。";
inline constexpr const char* kTextConfigFolderHierarchy = "Configuration folder hierarchy error。";
inline constexpr const char* kTextExportNotice =
    "1.Exporting data may last a long time,the status bar would show the state information;\r\n"
    "2.During the export process,do not put any window on the screenshot area;\r\n"
    "3.Please empty the \"report\" folder before exporting data.\r\n";
inline constexpr const char* kTextExportSuccess = "Exporting sucess！";
// The report worker's last word when every requested report was written.
inline constexpr const char* kTextReportSuccess = "Data Export Success！";
inline constexpr const char* kTextExportFailed = "Export failed: these files could not be written:";
inline constexpr const char* kTextExportClash = " maps to the same file as ";
inline constexpr const char* kTextExportWritten = "Written: ";
inline constexpr const char* kTextExportNotWritten = " files; not written: ";
inline constexpr const char* kTextNotYetAvailable = "Not available yet, nothing was written for: ";
inline constexpr const char* kTextSavePathEmpty = "Configured path can not be empty！";
inline constexpr const char* kTextSaveOverSource =
    "A pattern is never saved over the file it was read from: ";

// Status texts, in the order of work.
inline constexpr const char* kStatusCalculating = "Calculating indicators...";
inline constexpr const char* kStatusPln = "Exporting PLN file, please wait...";
inline constexpr const char* kStatusMsi = "Exporting MSI file, please wait...";
inline constexpr const char* kStatusTmvMsi = "Exporting TMVMSI file, please wait...";
inline constexpr const char* kStatusXml = "Exporting XML file, please wait...";
inline constexpr const char* kStatusTxt = "Exporting TXT file, please wait...";
inline constexpr const char* kStatusFinished = "Export finished!";
inline constexpr const char* kStatusExcelData = "Exporting excel data...";
inline constexpr const char* kStatusExcelResult = "Exporting excel result...";
inline constexpr const char* kStatusWordReport = "Exporting word report...";
inline constexpr const char* kTextWorkbookNotWritten = "the workbook was not written: ";
inline constexpr const char* kTextWorkbookInUse =
    "Excel file is in use by another program, please close it first!";

// The names of the dialog's boxes, for messages about them.
inline constexpr const char* kNameExcelData = "Export data（Excel Format）";
inline constexpr const char* kNameExcelReport = "Export Report（Excel Format）";
inline constexpr const char* kNameWord1 = "Export Report（Word Format 1）";
inline constexpr const char* kNameWord2 = "Export Report（Word Format 2）";
