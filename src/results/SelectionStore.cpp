#include "results/SelectionStore.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/IniFile.h"
#include "document/ProgramTexts.h"

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
constexpr std::array<std::pair<std::string_view, bool SelectionToggles::*>, 4> kToggleEntries{{
    {"ID_NO_REL", &SelectionToggles::single},
    {"ID_REL_M_C", &SelectionToggles::withCoCross},
    {"ID_REL_V_H", &SelectionToggles::withPlane},
    {"ID_REL_P45_N45", &SelectionToggles::withPolarisation},
}};

void StoreFlag(ConfigWrites& writes, const IndicatorSelection& selection, const SelectionFlagInfo& flag) {
    AddConfigWrite(writes, kMenuSection, flag.configKey, FlagText(selection.Value(flag) != 0));
}
} // namespace

SelectionFileChange SaveSelectionFileChange(const CQuadrelDoc& doc, const std::string& path) {
    SelectionFileChange change;
    change.selection = doc.selection;
    if (path.empty()) return change;
    IniFile file(path);
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (!IsIndicator(flag)) continue;
        file.WriteString(IniSectionName(flag.section), flag.iniKey, FlagText(doc.selection.Value(flag) != 0));
    }
    change.done = file.Save();
    change.writes = IndicatorMenuWrites(change.selection);
    // A file that was not written must not be reported as saved.
    change.message = change.done ? kTextSaveOk : kTextSaveFailed;
    return change;
}

SelectionFileChange LoadSelectionFileChange(const CQuadrelDoc& doc, const std::string& path) {
    SelectionFileChange change;
    change.selection = doc.selection;
    if (path.empty()) return change;
    const IniFile file(path);
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (!IsIndicator(flag)) continue;
        const std::string value = file.ReadString(IniSectionName(flag.section), flag.iniKey, "FALSE");
        change.selection.SetValue(flag, value == "TRUE" ? 1 : 0);
    }
    change.done = true;
    change.writes = IndicatorMenuWrites(change.selection);
    change.message = kTextLoadOk;
    return change;
}

ConfigWrites IndicatorMenuWrites(const IndicatorSelection& selection) {
    ConfigWrites writes;
    for (const SelectionFlagInfo& flag : SelectionFlags())
        if (IsIndicator(flag) && !flag.configKey.empty()) StoreFlag(writes, selection, flag);
    for (const SelectionFlagInfo& flag : SelectionFlags())
        if (flag.configKey == "ID_SPRDISPLAY") StoreFlag(writes, selection, flag);
    return writes;
}

ConfigWrites AllMenuWrites(const CQuadrelDoc& doc) {
    ConfigWrites writes;
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.configKey.empty()) continue;
        StoreFlag(writes, doc.selection, flag);
        if (flag.configKey == "ID_UNITARY") {
            for (const auto& [key, state] : kToggleEntries)
                AddConfigWrite(writes, kMenuSection, key, FlagText(doc.toggles.*state));
        }
    }
    return writes;
}

MenuValues StoredMenuValues(const CQuadrelDoc& doc) {
    MenuValues values{doc.selection, doc.toggles};
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.configKey.empty()) continue;
        values.selection.SetValue(flag, doc.ReadConfig(kMenuSection, flag.configKey) == "TRUE" ? 1 : 0);
    }
    for (const auto& [key, state] : kToggleEntries)
        values.toggles.*state = doc.ReadConfig(kMenuSection, key) == "TRUE";
    return values;
}

std::optional<IndicatorSelection> ToggledSelection(const CQuadrelDoc& doc, int commandId) {
    const SelectionFlagInfo* flag = FindFlagByCommand(commandId);
    if (!flag || !IsIndicator(*flag)) return std::nullopt;
    IndicatorSelection selection = doc.selection;
    selection.SetValue(*flag, selection.Value(*flag) != 0 ? 0 : 1);
    return selection;
}

void RebuildResultPanes(const CQuadrelDoc& doc) {
    doc.GetListener().RefreshCurrentResults();
    doc.GetListener().RefreshAllResults();
}
