#pragma once
#include <string>
#include <vector>

#include "export/ExportDriver.h"

class WriteLedger;

// The files of one kind (the folder they are written into: PLN, MSI, report, …).
struct ExportKindCounts {
    std::string kind;
    int written = 0;
    int skipped = 0; // another input had claimed the same file
    int failed = 0;
};

// What one export leaves the user with, told once at its end: a run that skipped or failed anything,
// or warned, never reads as a success.
struct ExportSummary {
    std::string headline;
    std::vector<ExportKindCounts> kinds; // in the order their first file was claimed
    std::vector<std::string> problems;   // failures, messages, then warnings (which name the skipped files)
    bool clean = true;
};

// `messages` are the texts the run would have shown in boxes, `warnings` its "SUBJECT: TEXT" warnings.
// A refused run gets an empty headline.
ExportSummary SummariseExport(const WriteLedger& ledger, ExportRunResult result,
                              const std::vector<std::string>& messages,
                              const std::vector<std::string>& warnings);

// Every problem, one per line: the list a user copies into a bug report or a mail.
std::string ExportProblemText(const ExportSummary& summary);
