#pragma once
#include <cstddef>

// The progress line of this run, on stderr when stderr is a terminal; otherwise nothing at all, so
// scripts and redirected output see no trace of it.
void StartRunProgress(size_t totalFiles);
void RunProgressStep();
// Before a message goes to stderr: the line makes way and comes back with the next file.
void ClearRunProgress();
void FinishRunProgress();
