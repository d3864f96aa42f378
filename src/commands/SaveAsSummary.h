#pragma once
#include <string>
#include <vector>

#include "app/WriteLedger.h"

class CQuadrelDoc;

// Save-as of every loaded pattern with at most one failure message for the whole batch: a folder
// that cannot be written fails every cut, and a box per cut buries the window. Returns what
// SaveAllAsExactData returns.
int SaveAllAsExactDataOnce(CQuadrelDoc& doc, const std::string& folder);

// The one message: the failure text, how many files, the first names and the first reason.
std::string SaveFailureText(const std::vector<WriteLedger::Failure>& failures, size_t total);
