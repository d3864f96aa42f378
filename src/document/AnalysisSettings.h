#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Horizontal analysis settings. Member initialisers are the documented defaults (what the
// "Defaults" button gives), not what an empty configuration store decodes to.
struct HPara {
    int32_t RefLevel_mode = 0; // 0 max level, 1 level of the nominal direction
    int32_t RefAngle_mode = 1; // 0 direction of max level, 1 nominal direction
    float HBW_xdb = 10.0f;
    int32_t PX_level = 60;
    int32_t NX_level = 60;
    int32_t FBR_xdeg = -180;
    int32_t FBR_tdeg = 30;
    float Lean_xdb = 3.0f;
    int32_t THP_mode = 1; // 0 sector +-X degrees, 1 sector by X dB
    float THP_xdeg = 60.0f;
    std::vector<float> THP_xdb{3.0f};
    int32_t SPR_mode = 0; // 0 sector +-X degrees, 1 sector by X dB
    float SPR_xdeg = 60.0f;
    float SPR_xdb = 3.0f;
    int32_t SPR_type = 2;   // index into "u/s", "s/u", "s/t", "u/t"
    int32_t Round_mode = 0; // 0 max(|max-avg|,|min-avg|), 1 (max-min)/2
    float XPD_xdeg = 20.0f;
    float XPD_xdb = 3.0f;
};

// Vertical analysis settings.
struct VPara {
    int32_t GainCalc_v = 0; // 1 gain from the vertical pattern, 0 from the horizontal
    float VBW_xdb = 10.0f;
    float VXPD_xdb = 3.0f;
    std::string SS_manual; // stored text of "IDC_RADIO_MANUAL"
    std::string SS_auto;   // stored text of "IDC_RADIO_AUTO"
    // Vertical side-lobe sectors (start, end) as typed; empty rows included.
    std::vector<std::pair<std::string, std::string>> SS_sectors{
        {"0", "-30"}, {"-30", "-150"}, {"-150", "150"}, {"150", "100"}, {"100", "80"},
        {"80", "0"},  {"", ""},        {"", ""},        {"", ""},       {"", ""}};
    float FSU_env = -60.0f;
    float FSD_env = 60.0f;
    float Env_range = 5.0f;
    int32_t FSU_envcal = 1;
};
