#pragma once

#include "app/Version.h"
#include "export/ExportTexts.h" // the worker's success text, which the export summary knows too

// What the report worker tells the user and the log, character for character.
inline constexpr const char* kStatusPatternScreenshots = "Exporting word report (pattern set) screenshots...";
inline constexpr const char* kStatusSetScreenshots =
    "Exporting word report 1 (standard test report) screenshots...";
inline constexpr const char* kStatusFormat1 = "Exporting word report 1（standard report）...";
inline constexpr const char* kStatusFormat2 = "Exporting word report 1（Pattern collection）...";
inline constexpr const char* kStatusPdf = "Writing the report as PDF... ";
inline constexpr const char* kStatusReportError = "Data Export Error！";
inline constexpr const char* kTextTemplateReadException = "Template Read Exception!";

inline constexpr const char* kTemplateMissing = "Word template file doesn't exist, please check it!";
inline constexpr const char* kTemplateInUse =
    "Word template file is in use by another program, please close it first!";
inline constexpr const char* kOutputInUse = "Word file is in use by another program, please close it first!";
inline constexpr const char* kOutputNotAFile = "The report's name is taken by something that is not a file: ";
inline constexpr const char* kPictureNotWritten =
    "A report picture could not be written, so no report was made: ";
inline constexpr const char* kStrayPicture = "is not a picture of this export; the reports leave it out";

// Log lines of a related pattern that is not loaded: the pattern's name, then the missing name.
inline constexpr const char* kLogMissingCrossPolar = "准备截图时%s极化关联文件：%s缺失\r\n";
inline constexpr const char* kLogMissingPolarisation = "准备截图时%s端口关联文件：%s缺失\r\n";
inline constexpr const char* kLogMissingPlane = "准备截图时%s切面关联文件：%s缺失\r\n";

// The placeholders of the templates: the antenna model, the serial number, where the result tables
// go and where the pattern pictures go.
inline constexpr const char* kPlaceholderDocumentNumber = "DocumentNoHere";
inline constexpr const char* kPlaceholderSerialNumber = "SerialNoHere";
inline constexpr const char* kPlaceholderTables = "InsertPicture1Here";
inline constexpr const char* kPlaceholderPictures = "InsertPicture3Here";

// Section titles of format 1: port, polarisation, tilt.
inline constexpr const char* kSectionTitleChinese = "端口：%s, 极化：%s, 下倾角：%s的方向图测试数据";
inline constexpr const char* kSectionTitleEnglish = "Port：%s, Polarization：%s, Tilt：%s";

// Under the first result table when some value could not be computed.
inline constexpr const char* kFootnoteNotComputedEnglish = "— : the analysis could not compute this value.";
inline constexpr const char* kFootnoteNotComputedChinese = "— ：分析未能计算出该值。";

inline constexpr const char* kFormat2FileName = "Norvan_Test_Report2.docx";
