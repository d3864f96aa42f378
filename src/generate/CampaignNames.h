#pragma once
#include <cstdint>
#include <string>

#include "generate/AntennaModel.h"

// How a test system names what it writes, so the loader can tie the files of one antenna together.

inline constexpr const char* kAntennaModelName = "QX6518";

// "<site>_<project>_<model>_<date>_<batch>_<serial>", the serial taken from the seed.
std::string TestFolderName(uint64_t seed);

// Odd ports are the +45 degree slant, even ports the -45 degree slant, so ports 1/2, 3/4 pair up.
std::string PolarisationToken(int port);

// "port_pol_plane_comp_tilt_dir_freq.msi" in lower case, e.g. "p1_p45_h_co_6_0_1800.msi".
std::string CutFileName(const CutId& cut);

// "p1_p45_h_co_6_0": the six leading tokens by which the analysis finds a set's gain-level curve.
std::string SetTokens(int port, int tilt, CutPlane plane, CutComponent component);

// The gain-level curve the analysis looks up for a set: "gain level_" + six tokens + ".txt".
std::string SetGainLevelFileName(int port, int tilt, CutPlane plane);

// The reference curves carry the frequency range they cover: "gain level_1700_2200_reference.txt".
std::string ReferenceLevelFileName(int lowMHz, int highMHz);
std::string ReferenceGainFileName(int lowMHz, int highMHz);
