#pragma once
#include <array>
#include <string_view>
#include <utility>

// Where the analysis settings live in the configuration store: the setup dialogs' resource names
// as sections, their controls' resource names as keys.

inline constexpr std::string_view kHSetupSection = "IDD_DIALOG_H_SETUP";
inline constexpr std::string_view kVSetupSection = "IDD_DIALOG_V_SETUP";

inline constexpr std::string_view kTrueText = "TRUE";
inline constexpr std::string_view kFalseText = "FALSE";

// Two radio buttons stored as two "TRUE"/"FALSE" keys; the first one means mode 0.
struct RadioPairKeys {
    std::string_view first;
    std::string_view second;
};

inline constexpr RadioPairKeys kRefLevelKeys{"IDC_RADIO_MAXLEVEL_BYPOWER", "IDC_RADIO_DIRECTION_BYPOWER"};
inline constexpr RadioPairKeys kRefAngleKeys{"IDC_RADIO_MAXLEVEL_BYANGLE", "IDC_RADIO_DIRECTION_BYANGLE"};
inline constexpr RadioPairKeys kRoundKeys{"IDC_RADIO_SelSPR_MAX", "IDC_RADIO_SelSPR_AVERAGE"};
inline constexpr RadioPairKeys kThpModeKeys{"IDC_RADIO_THP_ANGLE_RANG", "IDC_RADIO_THP_DB_RANG"};
inline constexpr RadioPairKeys kSprModeKeys{"IDC_RADIO_SPR_ANGLE_RANG", "IDC_RADIO_SPR_DB_RANG"};

inline constexpr std::string_view kHbwXdbKey = "IDC_EDIT_HBWXdB";
inline constexpr std::string_view kPxLevelKey = "IDC_EDIT_PXLEVEL";
inline constexpr std::string_view kNxLevelKey = "IDC_EDIT_NXLEVEL";
inline constexpr std::string_view kFbrXdegKey = "IDC_EDIT_FBR_XDEG";
inline constexpr std::string_view kFbrTdegKey = "IDC_EDIT_FBR_TDEG";
inline constexpr std::string_view kLeanXdbKey = "IDC_EDIT_SELLEAN";
inline constexpr std::string_view kThpXdegKey = "IDC_EDIT_THP_XDEG";
inline constexpr std::string_view kThpXdbKey = "IDC_EDIT_THP_XDB";
inline constexpr std::string_view kSprXdegKey = "IDC_EDIT_SPR_XDEG";
inline constexpr std::string_view kSprXdbKey = "IDC_EDIT_SPR_XDB";
inline constexpr std::string_view kSprTypeKey = "IDC_IDC_COMB_SPR_XDB";
inline constexpr std::string_view kXpdXdegKey = "IDC_EDIT_SelXPDX";
inline constexpr std::string_view kXpdXdbKey = "IDC_EDIT_SelXPDXDB";

inline constexpr std::string_view kGainCalcVKey = "IDC_RADIO_GAIN_CALCPARA_V";
inline constexpr std::string_view kGainCalcHKey = "IDC_RADIO_GAIN_CALCPARA_H";
inline constexpr std::string_view kVbwXdbKey = "IDC_EDIT_VBWXdB_xdB";
inline constexpr std::string_view kVxpdXdbKey = "IDC_EDIT_VXPDX_XDB";
inline constexpr std::string_view kManualKey = "IDC_RADIO_MANUAL";
inline constexpr std::string_view kAutoKey = "IDC_RADIO_AUTO";
inline constexpr std::string_view kFsuEnvKey = "IDC_EDIT_FSU_ENV";
inline constexpr std::string_view kFsdEnvKey = "IDC_EDIT_FSD_ENV";
inline constexpr std::string_view kEnvRangeKey = "IDC_EDIT_ENVSCOP";
inline constexpr std::string_view kEnvCalKey = "IDC_CHECK_FSU_ENVCAL";

// (start, end) keys of the ten vertical side-lobe sector rows. Row 7 ends in "IDC_EDIT_72".
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kSectorKeys{{
    {"IDC_EDIT_1", "IDC_EDIT_11"},
    {"IDC_EDIT_2", "IDC_EDIT_21"},
    {"IDC_EDIT_3", "IDC_EDIT_31"},
    {"IDC_EDIT_4", "IDC_EDIT_41"},
    {"IDC_EDIT_5", "IDC_EDIT_51"},
    {"IDC_EDIT_6", "IDC_EDIT_61"},
    {"IDC_EDIT_7", "IDC_EDIT_72"},
    {"IDC_EDIT_8", "IDC_EDIT_81"},
    {"IDC_EDIT_9", "IDC_EDIT_91"},
    {"IDC_EDIT_10", "IDC_EDIT_101"},
}};
