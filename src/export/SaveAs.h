#pragma once
#include <string>

class CQuadrelDoc;
class WriteLedger;

// The "Save as" dialog's OK: every loaded pattern as an Exact Data file named by the folder and the
// pattern's file name. An empty folder text shows "Configured path can not be empty！" and returns
// -1 (the dialog stays open); otherwise returns the number of files written. A pattern is never
// written over the file it was loaded from.
// Two patterns that would write one file (the same file name in two folders) write it once; with a
// ledger, failures and such clashes are recorded there.
int SaveAllAsExactData(const CQuadrelDoc& doc, const std::string& folder, WriteLedger* ledger = nullptr);
