#include "document/IndicatorSelection.h"

#include <functional>

namespace {
using enum FlagSection;

constexpr std::array<SelectionFlagInfo, kSelectionFlagCount> kFlags{{
    {Vertical, "cm_isSelVMaxLevel", "ID_VMAXLEVEL", 32809, "V-Max Level"},
    {Vertical, "cm_isSelVBW3dB", "ID_VBW3dB", 32810, "VBW"},
    {Vertical, "cm_isSelVBWXdB", "ID_VBWXdB", 32811, "VBW XdB"},
    {Vertical, "cm_isSelVBP", "ID_VBP", 32812, "VBP"},
    {Vertical, "cm_isSelVBRr", "ID_VBRr", 32992, "VBR(r)"},
    {Vertical, "cm_isSelVBRs", "ID_VBRs", 32993, "VBR(u)"},
    {Vertical, "cm_isSelVBR10dB", "ID_VBR10dB", 32995, "VBR 10dB"},
    {Vertical, "cm_isSelEDE", "ID_EDE", 32813, "EDE"},
    {Vertical, "cm_isSelFSU", "ID_FSU", 32814, "FSU"},
    {Vertical, "cm_isSelFSD", "ID_FSD", 32815, "FSD"},
    {Vertical, "cm_isSelNF", "ID_NF", 32816, "NF"},
    {Vertical, "cm_isSelFN", "ID_FN", 32817, "F.N."},
    {Vertical, "cm_isSelSS", "ID_SS", 32819, "SS X1°～X2°"},
    {Vertical, "cm_isSelVXPD0", "ID_VXPD0", 32818, "V-XPD 0", true},
    {Vertical, "cm_isSelVXPDX", "ID_VXPDX", 32820, "V-XPD XdB", true},
    {Vertical, "cm_isSelSSU", "ID_SSU", 32970, "SSU"},
    {Vertical, "cm_isSelTSU", "ID_TSU", 32972, "TSU"},

    {Horizontal, "cm_isSelHMaxLevel", "ID_HMAXLEVEL", 32821, "H-Max Level"},
    {Horizontal, "cm_isSelHBW3dB", "ID_HBW3DB", 32822, "HBW"},
    {Horizontal, "cm_isSelHBWXdB", "ID_HBWXdB", 32823, "HBW XdB"},
    {Horizontal, "cm_isSelPXLevel", "ID_PXLEVEL", 32824, "+ X°Level"},
    {Horizontal, "cm_isSelNXLevel", "ID_NXLEVEL", 32825, "- X°Level"},
    {Horizontal, "cm_isSelFBRCO", "ID_FBRCO", 32826, "FBR CO"},
    {Horizontal, "cm_isSelSSMax", "ID_SSMAX", 32827, "SS Max"},
    {Horizontal, "cm_isSelSPR", "ID_SPR", 32832, "SPR"},
    {Horizontal, "cm_isSelSquint", "ID_SQUINT", 32829, "Squint"},
    {Horizontal, "cm_isSelSquintError", "ID_Squint_Error", 32985, "SquintError"},
    {Horizontal, "cm_isSelHPS", "ID_HPS", 32988, "HPS"},
    {Horizontal, "cm_isSelLean", "ID_LEAN", 32830, "Lean"},
    {Horizontal, "cm_isSelRoundness", "ID_ROUNDNESS", 32828, "Roundness"},
    {Horizontal, "cm_isSelFBRXP", "ID_FBRXP", 32833, "FBR XP", true},
    {Horizontal, "cm_isSelFBRtot", "ID_FBRTOT", 32834, "FBR tot", true},
    {Horizontal, "cm_isSelXPD0", "ID_XPD0", 32835, "XPD 0", true},
    {Horizontal, "cm_isSelXPDX", "ID_XPDX", 32836, "XPD X", true},
    {Horizontal, "cm_isSelXPDXdB", "ID_XPDXDB", 32837, "XPD XdB", true},
    {Horizontal, "cm_isSelTHP", "ID_THP", 32831, "THP XdB"},
    {Horizontal, "cm_bUNITARY", "", 0, ""},
    {Horizontal, "cm_isSelXPD10dB", "ID_XPD10dB", 32967, "XPD 10dB", true},
    {Horizontal, "cm_isSelXPD60deg", "ID_XPD60deg", 32968, "XPD 60", true},
    {Horizontal, "cm_isSelTHP10dB", "ID_THP10dB", 32966, "THP 10dB"},

    {Radiation, "Directivity", "ID_DIRECTIVITY", 32936, ""},
    {Radiation, "Eff", "ID_ANTENNA_EFF", 32938, ""},
    {Radiation, "GFR", "ID_GFR", 32984, ""},
    {Radiation, "Gain", "ID_GAIN", 32935, ""},
    {Radiation, "Losses", "ID_ANTENNA_LOSS", 32937, ""},

    // The view's switches; the four selection toggles sit between ID_UNITARY and ID_CLEAR_MARK in
    // the configuration group but live with the document's selection.
    {Display, "", "ID_SPRDISPLAY", 32989, ""},
    {Display, "", "ID_UNITARY", 32874, ""},
    {Display, "", "ID_CLEAR_MARK", 32877, ""},
    {Display, "", "ID_MASKMAXMAG", 32907, ""},
    {Display, "", "ID_MASKMINMAG", 32908, ""},
    {Display, "", "ID_MASKFSU", 32909, ""},
    {Display, "", "ID_MASKMAXU", 32910, ""},
}};

const SelectionFlagInfo* FindFlag(std::string_view key) {
    if (key.empty()) return nullptr;
    for (const SelectionFlagInfo& flag : kFlags)
        if (flag.iniKey == key || flag.configKey == key) return &flag;
    return nullptr;
}

// The position of a record of the table; kSelectionFlagCount for anything else.
size_t IndexOf(const SelectionFlagInfo& flag) {
    std::less<const SelectionFlagInfo*> before;
    if (before(&flag, kFlags.data()) || !before(&flag, kFlags.data() + kFlags.size())) return kFlags.size();
    return static_cast<size_t>(&flag - kFlags.data());
}
} // namespace

std::span<const SelectionFlagInfo, kSelectionFlagCount> SelectionFlags() {
    return kFlags;
}

std::string_view IniSectionName(FlagSection section) {
    switch (section) {
    case Vertical:
        return "VParameter";
    case Horizontal:
        return "HParameter";
    case Radiation:
        return "RParameter";
    case Display:
        break;
    }
    return {};
}

const SelectionFlagInfo* FindFlagByCommand(int commandId) {
    if (commandId == 0) return nullptr;
    for (const SelectionFlagInfo& flag : kFlags)
        if (flag.commandId == commandId) return &flag;
    return nullptr;
}

IndicatorSelection::IndicatorSelection() {
    for (const SelectionFlagInfo& flag : kFlags)
        m_values[IndexOf(flag)] = (flag.section != Display && !flag.configKey.empty()) ? 1 : 0;
}

bool IndicatorSelection::IsSelected(std::string_view key) const {
    const SelectionFlagInfo* flag = FindFlag(key);
    return flag && Value(*flag) != 0;
}

void IndicatorSelection::Set(std::string_view key, int32_t value) {
    if (const SelectionFlagInfo* flag = FindFlag(key)) SetValue(*flag, value);
}

int32_t IndicatorSelection::Value(const SelectionFlagInfo& flag) const {
    const size_t index = IndexOf(flag);
    return index < m_values.size() ? m_values[index] : 0;
}

void IndicatorSelection::SetValue(const SelectionFlagInfo& flag, int32_t value) {
    const size_t index = IndexOf(flag);
    if (index < m_values.size()) m_values[index] = value != 0 ? 1 : 0;
}
