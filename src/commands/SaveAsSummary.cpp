#include "commands/SaveAsSummary.h"

#include <filesystem>

#include "app/CollectingNotifier.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "export/SaveAs.h"

namespace {
// Enough names to recognise the batch; the rest are counted.
constexpr size_t kNamesListed = 10;
} // namespace

int SaveAllAsExactDataOnce(CQuadrelDoc& doc, const std::string& folder) {
    Notifier& user = doc.GetNotifier();
    CollectingNotifier perFile(
        &user, [](const std::string& text) { return text == kTextSaveFailed; }, false);
    WriteLedger ledger;
    doc.SetNotifier(&perFile);
    const int written = SaveAllAsExactData(doc, folder, &ledger);
    doc.SetNotifier(&user);
    if (!ledger.Failures().empty())
        user.Notify(SaveFailureText(ledger.Failures(), ledger.Failures().size() + ledger.WrittenCount()),
                    kCaptionApplication);
    return written;
}

std::string SaveFailureText(const std::vector<WriteLedger::Failure>& failures, size_t total) {
    std::string text = std::string(kTextSaveFailed) + ": " + std::to_string(failures.size()) + " of " +
                       std::to_string(total) + (total == 1 ? " file" : " files") + " not written";
    text += failures.empty() ? "." : " (" + failures.front().reason + "):";
    for (size_t i = 0; i < failures.size() && i < kNamesListed; ++i)
        text += "\n" + std::filesystem::path(failures[i].path).filename().string();
    if (failures.size() > kNamesListed)
        text += "\n… and " + std::to_string(failures.size() - kNamesListed) + " more";
    return text;
}
