#pragma once
#include <string>

// A report written as PDF beside it by the office suite (LibreOffice, run without a window). Every
// run gets a user-profile folder of its own, so it neither waits for nor disturbs an office window
// the user has open, and a conversion that takes longer than the time limit is stopped.
struct PdfOutcome {
    bool written = false;
    std::string path;  // the PDF, beside the report
    std::string error; // why nothing was written, naming the converter's failure
};

// The office suite's program found on PATH ("soffice", else "libreoffice"); empty when none.
std::string FindOfficeProgram();

// Converts `docxPath` to the PDF of the same name beside it. When the printed copy's headings stand
// on other pages than its contents say, the contents are corrected (in the report too, so it opens
// with the right numbers) and the report is converted again. Needs `pdftotext` for that check; it
// is skipped without it.
PdfOutcome ConvertReportToPdf(const std::string& docxPath, int timeLimitSeconds = 180);

inline constexpr const char* kTextNoOfficeSuite =
    "No PDF written: LibreOffice is not installed (the program \"soffice\" is not on PATH).";
