#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Failure.h"
#include "document/PatternPoint.h"

// The pattern files that vendors and planning tools exchange (MSI/Planet, PLN, TXT, and this
// program's own MSI, TMVMSI, PLN and TXT exports): a keyed header in any order, then a
// "HORIZONTAL n" and a "VERTICAL n" block of "angle value" rows. Unlike a measured cut, the file
// describes itself, so nothing is taken from its name.

// One block of rows: angles in [0, 360) in ascending order, each once, and the attenuation in dB
// below the pattern's reference (0 at the peak, positive downwards).
struct PlanningCut {
    std::vector<PatternPoint> points; // (angle, attenuation)
    int announced = -1;               // the n of "HORIZONTAL n"; -1 when the line gives none
    int line = 0;                     // line of the block's key
};

struct PlanningPattern {
    std::string name;        // NAME, or FILENAME in this program's PLN and TXT exports
    std::string make;        // MAKE
    double frequencyMhz = 0; // FREQUENCY
    bool hasGain = false;    // GAIN present
    double gainDbi = 0;      // GAIN, dBd converted (+2.15)
    std::string gainAsWritten;
    bool hasElectricalTilt = false;
    double electricalTilt = 0; // ELECTRICAL_TILT, or a number on the TILT line
    bool hasMechanicalTilt = false;
    double mechanicalTilt = 0; // MECHANICAL_TILT
    std::string tilt;          // the TILT line's text ("ELECTRICAL", "MECHANICAL", "")
    std::string polarization;  // POLARIZATION
    std::string comment;       // COMMENT
    // H_WIDTH, V_WIDTH, FRONT_TO_BACK as written (the vendor's figures, not measured here).
    std::string hWidth, vWidth, frontToBack;
    // Every other key with its value, in file order.
    std::vector<std::pair<std::string, std::string>> otherKeys;
    PlanningCut horizontal;
    PlanningCut vertical;
    // Doubts that do not stop the read (a block longer or shorter than its count line says).
    std::vector<std::string> warnings;
};

// Where and why a file was refused; line 0 when the file as a whole is at fault. The parser reads
// a text, not a file: the path is left for the caller.
using PlanningError = Failure;

// Reads a planning file; false with `error` set when the text is not one. Lines may end in LF,
// CR LF or CR; keys and values may be separated by blanks or tabs; rows hold integer or decimal
// angles in 0...359 or -180...180 and attenuation (positive) or level (all values at or below
// 0) values.
bool ParsePlanningText(std::string_view text, PlanningPattern& out, PlanningError& error);

// A cheap look at a text: does it carry both a HORIZONTAL and a VERTICAL block line? For pointing
// the user of the measurement commands to the import.
bool LooksLikePlanningText(std::string_view text);

// Why a planning file given as a measurement file was refused, and what to do instead.
inline constexpr const char* kPlanningFileHint =
    "a planning file (horizontal and vertical cut in one file): quadrel-cli import turns it into a "
    "measurement folder";

// File extensions of the planning formats that are no measurement format (".pln", ".txt", any case).
bool HasPlanningExtension(std::string_view fileName);
