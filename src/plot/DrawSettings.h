#pragma once
#include <functional>
#include <string>
#include <string_view>

inline constexpr int kPolarSystem = 1;
inline constexpr int kCartesianSystem = 2;
inline constexpr const char* kDrawSetupSection = "IDD_DIALOG_DRAWSETUP";
inline constexpr const char* kCoordinateSystemKey = "IDC_LIST1";

// The six values of one coordinate system as the "Draw setting" dialog edits them (dB and degrees).
struct AxisSettings {
    int levelMax = 0;
    int levelMin = -50;
    int levelGridStep = 1;
    int levelScaleDivision = 5;
    int angleGridStep = 10;
    int angleScaleDivision = 30;
};

// The draw settings of the document: both coordinate systems, the chosen one, and the display
// flags that the view toggles.
struct DrawSettings {
    AxisSettings cartesian = CartesianDefaults();
    AxisSettings polar = PolarDefaults();
    int coordinateSystem = kPolarSystem;
    int relativeDisplay = 0;
    int reference3dB = 0;
    int envelopeDisplay = 0;
    int sprDisplay = 0;

    static AxisSettings CartesianDefaults() { return {0, -50, 1, 5, 10, 30}; }
    static AxisSettings PolarDefaults() { return {0, -30, 10, 5, 10, 30}; }
    const AxisSettings& Current() const { return coordinateSystem == kCartesianSystem ? cartesian : polar; }
};

// The configuration keys of one system's six values, in the order of AxisSettings.
struct AxisKeys {
    const char* levelMax;
    const char* levelMin;
    const char* levelGridStep;
    const char* levelScaleDivision;
    const char* angleGridStep;
    const char* angleScaleDivision;
};
const AxisKeys& KeysOf(int coordinateSystem);

using ConfigReader = std::function<std::string(std::string_view section, std::string_view key)>;
using ConfigWriter =
    std::function<int(std::string_view section, std::string_view key, std::string_view value)>;

// Reads IDD_DIALOG_DRAWSETUP. A key that is missing (empty text) keeps its default, so a
// configuration without the section still draws a usable frame; any other text is converted as an
// integer (non-numeric text gives 0).
DrawSettings LoadDrawSettings(const ConfigReader& read);
// Reads the display switches stored under ID_MENU (relative display, SPR display).
void LoadDisplaySwitches(const ConfigReader& read, DrawSettings& settings);

// Stores the six values of `system` under IDD_DIALOG_DRAWSETUP.
void StoreAxisSettings(const ConfigWriter& write, int system, const AxisSettings& values);
// The Polar / Cartesian commands: switch the system and store "1" or "2".
void SetCoordinateSystem(const ConfigWriter& write, DrawSettings& settings, int system);

// The dialog's "Defaults" button for the selected system: reset, store, return the shown values.
const AxisSettings& ResetAxisDefaults(const ConfigWriter& write, DrawSettings& settings, int system);
// Why the dialog's values cannot be drawn, naming the field ("Level Min must be below Level Max."),
// or empty when they can: a level range, grid steps and scale divisions that are positive and fit
// in their range.
std::string AxisSettingsProblem(const AxisSettings& values);

// The dialog's title for the selected system.
std::string DrawSettingTitle(int system);
