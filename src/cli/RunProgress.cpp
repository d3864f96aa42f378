#include "cli/RunProgress.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/ProgressLine.h"
#include "app/TextUtil.h"

namespace {
std::unique_ptr<ProgressLine> g_progress;

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void WriteStderr(std::string_view text) {
    // Output already printed to the same terminal comes first, never after the line on its row.
    std::cout.flush();
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
} // namespace

void StartRunProgress(size_t totalFiles) {
    if (!isatty(STDERR_FILENO) || totalFiles == 0) return;
    // The wait can be shortened, so that a short run on a terminal shows the line as a long one would.
    double delay = kProgressDelaySeconds;
    if (const char* given = std::getenv("QUADREL_PROGRESS_DELAY")) delay = ParseLeadingDouble(given);
    g_progress = std::make_unique<ProgressLine>(totalFiles, SteadySeconds, WriteStderr, delay);
}

void RunProgressStep() {
    if (g_progress) g_progress->Step();
}

void ClearRunProgress() {
    if (g_progress) g_progress->Clear();
}

void FinishRunProgress() {
    g_progress.reset();
}
