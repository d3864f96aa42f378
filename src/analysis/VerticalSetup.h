#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "analysis/SetupValidation.h"
#include "app/ConfigStore.h"
#include "document/AnalysisSettings.h"

class CQuadrelDoc;

// The "Manual"/"Automatic" radios of the side-lobe sectors; None when the store checks neither.
enum class SectorChoice { None, Manual, Automatic };

// The entries of the vertical setup dialog ("Vertical Parameters Setup").
struct VSetupForm {
    std::string vbwXdb;
    std::string vxpdXdb;
    bool envelopeEnabled = true; // "Enabled FSU Envelope Algorithm"
    std::string fsuEnv;
    std::string fsdEnv;
    std::string envRange;
    SectorChoice sectorChoice = SectorChoice::None;
    std::array<std::pair<std::string, std::string>, 10> sectors; // (start, end) as typed
};

// Which step of the OK sequence stopped it; the steps before it are stored and applied.
enum class VSetupStep { Ok, VbwXdb, VxpdXdb, FsuEnv, FsdEnv, EnvRange, SectorText, SectorRange };

VSetupForm OpenVSetupForm(const CQuadrelDoc& doc);

using VSetupChange = SetupChange<VSetupStep, VPara, VSetupForm>;

// OK: validates in dialog order, each entry taken into the settings and the store before the next
// is looked at; the first failure ends the sequence with its message. With the envelope check box
// clear the envelope numbers in use stay as they are.
VSetupChange ComputeVSetupOk(const CQuadrelDoc& doc, const VSetupForm& form);

// "Defaults": the default numbers, envelope enabled and the default sector table, all of them
// stored. The Manual/Automatic choice is left as stored.
VSetupChange ComputeVSetupDefaults(const CQuadrelDoc& doc);

// The entries of the radiation setup dialog ("Radiation Parameter Setup").
struct RadiationForm {
    bool verticalPattern = false; // "Vertical Pattern" (else "Horizontal Pattern")
};

RadiationForm OpenRadiationForm(const CQuadrelDoc& doc);

// OK: the pattern the gain is computed from, and the choice stored as a radio pair.
struct RadiationChange {
    int32_t gainCalcV = 0;
    ConfigWrites writes;
};
RadiationChange ComputeRadiationOk(const RadiationForm& form);
