#pragma once
#include <array>
#include <string>
#include <utility>

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

// Which step of the OK sequence stopped it; the steps before it have been stored and applied.
enum class VSetupStep { Ok, VbwXdb, VxpdXdb, FsuEnv, FsdEnv, EnvRange, SectorText, SectorRange };

VSetupForm OpenVSetupForm(const CQuadrelDoc& doc);

// OK: validates, stores and applies in dialog order; the first failure is reported and ends the
// sequence. On success the vertical done-flags of every file are cleared and the shown files are
// analysed again. With the envelope check box clear the envelope numbers in use stay as they are.
VSetupStep AcceptVSetup(CQuadrelDoc& doc, const VSetupForm& form);

// "Defaults": the default numbers, envelope enabled and the default sector table, set and stored
// at once. The Manual/Automatic choice is left as stored.
VSetupForm ApplyVSetupDefaults(CQuadrelDoc& doc);

// The entries of the radiation setup dialog ("Radiation Parameter Setup").
struct RadiationForm {
    bool verticalPattern = false; // "Vertical Pattern" (else "Horizontal Pattern")
};

RadiationForm OpenRadiationForm(const CQuadrelDoc& doc);

// OK: stores the choice, clears the preparation done-flag of every file (so the gain group is
// computed again) and analyses the shown files again.
void AcceptRadiationSetup(CQuadrelDoc& doc, const RadiationForm& form);
