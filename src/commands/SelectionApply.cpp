#include "commands/SelectionApply.h"

#include "commands/ConfigWrites.h"
#include "document/ProgramTexts.h"
#include "results/IndicatorNaming.h"
#include "results/SelectionStore.h"

namespace {
bool ApplySelectionFileChange(CQuadrelDoc& doc, const SelectionFileChange& change) {
    doc.selection = change.selection;
    ApplyConfigWrites(doc, change.writes);
    if (!change.message.empty()) doc.GetNotifier().Notify(change.message, kCaptionApplication);
    return change.done;
}
} // namespace

bool SaveSelectionFile(CQuadrelDoc& doc, const std::string& path) {
    return ApplySelectionFileChange(doc, SaveSelectionFileChange(doc, path));
}

bool LoadSelectionFile(CQuadrelDoc& doc, const std::string& path) {
    return ApplySelectionFileChange(doc, LoadSelectionFileChange(doc, path));
}

void StoreAllMenuValues(CQuadrelDoc& doc) {
    ApplyConfigWrites(doc, AllMenuWrites(doc));
}

void RestoreMenuValues(CQuadrelDoc& doc) {
    const MenuValues values = StoredMenuValues(doc);
    doc.selection = values.selection;
    doc.toggles = values.toggles;
}

bool ToggleIndicator(CQuadrelDoc& doc, int commandId) {
    const std::optional<IndicatorSelection> toggled = ToggledSelection(doc, commandId);
    if (!toggled) return false;
    doc.selection = *toggled;
    RebuildResultPanes(doc);
    return true;
}

void StoreIndicatorNaming(CQuadrelDoc& doc, bool chinese) {
    ApplyConfigWrites(doc, IndicatorNamingWrites(chinese));
}
