#include "export/SaveAs.h"

#include <filesystem>

#include "app/WriteLedger.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "export/ExportState.h"
#include "export/ExportTexts.h"

namespace fs = std::filesystem;

namespace {
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}
} // namespace

int SaveAllAsExactData(const CQuadrelDoc& doc, const std::string& folder, WriteLedger* ledger) {
    if (folder.empty()) {
        doc.GetNotifier().Notify(kTextSavePathEmpty, kCaptionValidation);
        return -1;
    }
    const std::string base = WithTrailingSeparator(folder);
    WriteLedger local; // two patterns of one file name (two antennas) must not count as two files
    if (!ledger) ledger = &local;
    int written = 0;
    for (const auto& [key, file] : doc.table) {
        const std::string target = base + file.fileName;
        // Saving into the measurement folder would replace the measured file by its two-decimal copy.
        if (SameFile(target, file.path)) {
            doc.GetNotifier().Notify(kTextSaveOverSource + target, kCaptionApplication);
            continue;
        }
        if (doc.WriteExactData(target, key, ledger)) ++written;
    }
    return written;
}
