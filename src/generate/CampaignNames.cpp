#include "generate/CampaignNames.h"

namespace {
std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}
std::string ComponentToken(CutComponent component) {
    return component == CutComponent::Co ? "co" : "cr";
}
std::string PlaneToken(CutPlane plane) {
    return plane == CutPlane::Horizontal ? "h" : "e";
}
} // namespace

std::string TestFolderName(uint64_t seed) {
    std::string serial = std::to_string(seed % 100000);
    serial.insert(0, 5 - serial.size(), '0');
    return std::string("Lab1_Proj7_") + kAntennaModelName + "_20261208_B" + TwoDigits(1) + "_SN" + serial;
}

std::string PolarisationToken(int port) {
    return port % 2 == 1 ? "p45" : "m45";
}

std::string SetTokens(int port, int tilt, CutPlane plane, CutComponent component) {
    return "p" + std::to_string(port) + "_" + PolarisationToken(port) + "_" + PlaneToken(plane) + "_" +
           ComponentToken(component) + "_" + std::to_string(tilt) + "_0";
}

std::string CutFileName(const CutId& cut) {
    return SetTokens(cut.port, cut.tilt, cut.plane, cut.component) + "_" + std::to_string(cut.frequency) +
           ".msi";
}

std::string SetGainLevelFileName(int port, int tilt, CutPlane plane) {
    return "gain level_" + SetTokens(port, tilt, plane, CutComponent::Co) + ".txt";
}

std::string ReferenceLevelFileName(int lowMHz, int highMHz) {
    return "gain level_" + std::to_string(lowMHz) + "_" + std::to_string(highMHz) + "_reference.txt";
}

std::string ReferenceGainFileName(int lowMHz, int highMHz) {
    return "gain value_" + std::to_string(lowMHz) + "_" + std::to_string(highMHz) + "_reference.txt";
}
