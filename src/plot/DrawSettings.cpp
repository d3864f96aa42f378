#include "plot/DrawSettings.h"

#include "app/TextUtil.h"

namespace {
constexpr AxisKeys kCartesianKeys{"IDC_EDIT_PMSTART",        "IDC_EDIT_PMEND",
                                  "IDC_EDIT_PMLINEDISTANCE", "IDC_EDIT_PMSCALEDISTANCE",
                                  "IDC_EDIT_PXLINEDISTANCE", "IDC_EDIT_PXSCALEDISTANCE"};
constexpr AxisKeys kPolarKeys{"IDC_EDIT_RMSTART",        "IDC_EDIT_RMEND",
                              "IDC_EDIT_RMLINEDISTANCE", "IDC_EDIT_RMSCALEDISTANCE",
                              "IDC_EDIT_RXLINEDISTANCE", "IDC_EDIT_RXSCALEDISTANCE"};

void ReadInt(const ConfigReader& read, const char* key, int& value) {
    const std::string text = read(kDrawSetupSection, key);
    if (!text.empty()) value = ParseLeadingInt(text);
}

void ReadAxis(const ConfigReader& read, const AxisKeys& keys, AxisSettings& axis) {
    ReadInt(read, keys.levelMax, axis.levelMax);
    ReadInt(read, keys.levelMin, axis.levelMin);
    ReadInt(read, keys.levelGridStep, axis.levelGridStep);
    ReadInt(read, keys.levelScaleDivision, axis.levelScaleDivision);
    ReadInt(read, keys.angleGridStep, axis.angleGridStep);
    ReadInt(read, keys.angleScaleDivision, axis.angleScaleDivision);
}
} // namespace

const AxisKeys& KeysOf(int coordinateSystem) {
    return coordinateSystem == kCartesianSystem ? kCartesianKeys : kPolarKeys;
}

DrawSettings LoadDrawSettings(const ConfigReader& read) {
    DrawSettings settings;
    ReadAxis(read, kCartesianKeys, settings.cartesian);
    ReadAxis(read, kPolarKeys, settings.polar);
    const std::string system = read(kDrawSetupSection, kCoordinateSystemKey);
    if (!system.empty())
        settings.coordinateSystem =
            ParseLeadingInt(system) == kCartesianSystem ? kCartesianSystem : kPolarSystem;
    LoadDisplaySwitches(read, settings);
    return settings;
}

void LoadDisplaySwitches(const ConfigReader& read, DrawSettings& settings) {
    settings.relativeDisplay = read("ID_MENU", "ID_UNITARY") == "TRUE" ? 1 : 0;
    settings.sprDisplay = read("ID_MENU", "ID_SPRDISPLAY") == "TRUE" ? 1 : 0;
}

void StoreAxisSettings(const ConfigWriter& write, int system, const AxisSettings& values) {
    const AxisKeys& keys = KeysOf(system);
    write(kDrawSetupSection, keys.levelMax, std::to_string(values.levelMax));
    write(kDrawSetupSection, keys.levelMin, std::to_string(values.levelMin));
    write(kDrawSetupSection, keys.levelGridStep, std::to_string(values.levelGridStep));
    write(kDrawSetupSection, keys.levelScaleDivision, std::to_string(values.levelScaleDivision));
    write(kDrawSetupSection, keys.angleGridStep, std::to_string(values.angleGridStep));
    write(kDrawSetupSection, keys.angleScaleDivision, std::to_string(values.angleScaleDivision));
}

void SetCoordinateSystem(const ConfigWriter& write, DrawSettings& settings, int system) {
    settings.coordinateSystem = system == kCartesianSystem ? kCartesianSystem : kPolarSystem;
    write(kDrawSetupSection, kCoordinateSystemKey, std::to_string(settings.coordinateSystem));
}

const AxisSettings& ResetAxisDefaults(const ConfigWriter& write, DrawSettings& settings, int system) {
    AxisSettings& axis = system == kCartesianSystem ? settings.cartesian : settings.polar;
    axis = system == kCartesianSystem ? DrawSettings::CartesianDefaults() : DrawSettings::PolarDefaults();
    StoreAxisSettings(write, system, axis);
    return axis;
}

std::string DrawSettingTitle(int system) {
    return system == kCartesianSystem ? "Draw setting-Cartesian Coordinates"
                                      : "Draw setting-Polar Coordinates";
}

std::string AxisSettingsProblem(const AxisSettings& v) {
    if (v.levelMin >= v.levelMax) return "Level Min must be below Level Max.";
    const int levelRange = v.levelMax - v.levelMin;
    const struct {
        const char* field;
        int value;
        int range;
        const char* unit;
    } steps[] = {
        {"Level Grid step", v.levelGridStep, levelRange, " dB"},
        {"Level Scale Division", v.levelScaleDivision, levelRange, " dB"},
        {"Angle Grid Step", v.angleGridStep, 180, "°"},
        {"Angle Scale Division", v.angleScaleDivision, 180, "°"},
    };
    for (const auto& s : steps)
        if (s.value <= 0 || s.value > s.range)
            return std::string(s.field) + " must be between 1 and " + std::to_string(s.range) + s.unit + ".";
    return {};
}
