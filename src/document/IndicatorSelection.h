#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Where a flag lives: the three sections of the selection file, or the display switches that only
// the "ID_MENU" configuration group carries.
enum class FlagSection { Vertical, Horizontal, Radiation, Display };

struct SelectionFlagInfo {
    FlagSection section;
    std::string_view iniKey;    // key in the selection file; empty for display switches
    std::string_view configKey; // key under "ID_MENU"; empty for the one flag only the file carries
    int commandId;              // toggle command; 0 when there is none
    std::string_view listLabel; // check box of the parameter list dialog; empty when there is none
    bool crossPolar = false;    // shown in the "Cross Polarization" group of the list dialog
};

inline constexpr std::string_view kMenuSection = "ID_MENU";
inline constexpr size_t kSelectionFlagCount = 52;

// Every flag: the selection file's keys in the order they are written and read, then the display
// switches in the order the configuration group lists them.
std::span<const SelectionFlagInfo, kSelectionFlagCount> SelectionFlags();

// "VParameter", "HParameter", "RParameter"; empty for the display switches.
std::string_view IniSectionName(FlagSection section);

// The flag that a toggle command flips; null for any other command.
const SelectionFlagInfo* FindFlagByCommand(int commandId);

// The indicator selection flags of the document (0 off, 1 on). A document that has not yet restored
// them from the configuration shows and computes every indicator; the display switches and
// `cm_bUNITARY` start off.
class IndicatorSelection {
  public:
    IndicatorSelection();

    // By the selection-file key ("cm_isSelHBW3dB", "Gain") or the configuration key
    // ("ID_HBW3DB", "ID_UNITARY"). An unknown key is never selected.
    bool IsSelected(std::string_view key) const;
    int32_t Get(std::string_view key) const { return IsSelected(key) ? 1 : 0; }
    // Unknown keys are ignored; any value other than 0 counts as on.
    void Set(std::string_view key, int32_t value);

    int32_t Value(const SelectionFlagInfo& flag) const;
    void SetValue(const SelectionFlagInfo& flag, int32_t value);

  private:
    std::array<int32_t, kSelectionFlagCount> m_values{};
};
