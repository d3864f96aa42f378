#include "results/SelectionStore.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/IniFile.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "document/IndicatorSelection.h"

namespace {
constexpr const char* kTextSaveOk = "Save ConfigFile OK!";
constexpr const char* kTextLoadOk = "Load ConfigFile OK!";

std::string_view FlagText(bool on) {
    return on ? "TRUE" : "FALSE";
}

bool IsIndicator(const SelectionFlagInfo& flag) {
    return flag.section != FlagSection::Display;
}

// The selection toggles by their configuration keys, in the order single, co/cross partner, plane
// partner, polarisation partner.
std::array<std::pair<std::string_view, bool*>, 4> ToggleEntries(SelectionToggles& toggles) {
    return {{{"ID_NO_REL", &toggles.single},
             {"ID_REL_M_C", &toggles.withCoCross},
             {"ID_REL_V_H", &toggles.withPlane},
             {"ID_REL_P45_N45", &toggles.withPolarisation}}};
}

void StoreFlag(CQuadrelDoc& doc, const SelectionFlagInfo& flag) {
    doc.WriteConfig(kMenuSection, flag.configKey, FlagText(doc.selection.Value(flag) != 0));
}
} // namespace

bool SaveSelectionFile(CQuadrelDoc& doc, const std::string& path) {
    if (path.empty()) return false;
    IniFile file(path);
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (!IsIndicator(flag)) continue;
        file.WriteString(IniSectionName(flag.section), flag.iniKey, FlagText(doc.selection.Value(flag) != 0));
    }
    const bool saved = file.Save();
    StoreIndicatorMenuValues(doc);
    // A file that was not written must not be reported as saved.
    doc.GetNotifier().Notify(saved ? kTextSaveOk : kTextSaveFailed, kCaptionApplication);
    return saved;
}

bool LoadSelectionFile(CQuadrelDoc& doc, const std::string& path) {
    if (path.empty()) return false;
    const IniFile file(path);
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (!IsIndicator(flag)) continue;
        const std::string value = file.ReadString(IniSectionName(flag.section), flag.iniKey, "FALSE");
        doc.selection.SetValue(flag, value == "TRUE" ? 1 : 0);
    }
    StoreIndicatorMenuValues(doc);
    doc.GetNotifier().Notify(kTextLoadOk, kCaptionApplication);
    return true;
}

void StoreIndicatorMenuValues(CQuadrelDoc& doc) {
    for (const SelectionFlagInfo& flag : SelectionFlags())
        if (IsIndicator(flag) && !flag.configKey.empty()) StoreFlag(doc, flag);
    for (const SelectionFlagInfo& flag : SelectionFlags())
        if (flag.configKey == "ID_SPRDISPLAY") StoreFlag(doc, flag);
}

void StoreAllMenuValues(CQuadrelDoc& doc) {
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.configKey.empty()) continue;
        StoreFlag(doc, flag);
        if (flag.configKey == "ID_UNITARY") {
            for (const auto& [key, state] : ToggleEntries(doc.toggles))
                doc.WriteConfig(kMenuSection, key, FlagText(*state));
        }
    }
}

void RestoreMenuValues(CQuadrelDoc& doc) {
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.configKey.empty()) continue;
        doc.selection.SetValue(flag, doc.ReadConfig(kMenuSection, flag.configKey) == "TRUE" ? 1 : 0);
    }
    for (const auto& [key, state] : ToggleEntries(doc.toggles))
        *state = doc.ReadConfig(kMenuSection, key) == "TRUE";
}

bool ToggleIndicator(CQuadrelDoc& doc, int commandId) {
    const SelectionFlagInfo* flag = FindFlagByCommand(commandId);
    if (!flag || !IsIndicator(*flag)) return false;
    doc.selection.SetValue(*flag, doc.selection.Value(*flag) != 0 ? 0 : 1);
    RebuildResultPanes(doc);
    return true;
}

void RebuildResultPanes(const CQuadrelDoc& doc) {
    doc.GetListener().RefreshCurrentResults();
    doc.GetListener().RefreshAllResults();
}
