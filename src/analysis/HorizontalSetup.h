#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/SetupValidation.h"
#include "document/AnalysisSettings.h"

class CQuadrelDoc;

// The entries of the horizontal setup dialog ("Horizontal Parameter Setup"): each radio pair as
// "first button checked", each edit as typed.
struct HSetupForm {
    bool maxLevelPower = true;  // "Max Level" (else "the Level of Nominal Direction")
    bool maxLevelAngle = false; // "the Direction of Max Level" (else "Nominal Driection")
    bool roundMax = true;       // "Max(Max - Avg，| Min - Avg |)" (else "(Max - Min)/2")
    bool thpByAngle = false;    // THP "Sector ±" X degrees (else "Sector" by X dB)
    std::string thpXdeg;
    std::string thpXdb;     // comma-separated
    bool sprByAngle = true; // SPR "Sector ±" X degrees (else "Sector" by X dB)
    std::string sprXdeg;
    std::string sprXdb;
    int32_t sprType = 2; // index into kSprTypeNames; -1 when nothing is selected
    std::string hbwXdb;
    std::string pxLevel;
    std::string nxLevel;
    std::string fbrXdeg;
    std::string fbrTdeg;
    std::string leanXdb;
    std::string xpdXdeg;
    std::string xpdXdb;
};

inline constexpr std::array<std::string_view, 4> kSprTypeNames{"u/s", "s/u", "s/t", "u/t"};

// Which step of the OK sequence stopped it; the steps before it are stored and applied.
enum class HSetupStep {
    Ok,
    ThpXdeg,
    ThpXdb,
    SprXdeg,
    SprXdb,
    HbwXdb,
    PxLevel,
    NxLevel,
    FbrXdeg,
    FbrTdeg,
    LeanXdb,
    XpdXdeg,
    XpdXdb,
};

// What the dialog shows when it opens: the stored entries, not the settings in use.
HSetupForm OpenHSetupForm(const CQuadrelDoc& doc);

using HSetupChange = SetupChange<HSetupStep, HPara, HSetupForm>;

// OK: validates the entries in dialog order, each taken into the settings and the store before
// the next is looked at. The first invalid entry ends the sequence with its message ("ERROR").
HSetupChange ComputeHSetupOk(const CQuadrelDoc& doc, const HSetupForm& form);

// "Defaults": the default settings and entries, all of them stored.
HSetupChange ComputeHSetupDefaults();
