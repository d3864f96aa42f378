#pragma once
#include "plot/DrawSettings.h"

// The process-wide record the view fills from the draw settings before it draws. Levels in dB,
// steps in the logical units the frame is drawn in (0.01 dB, 0.1 degree) unless noted.
struct PlotSettingsBlock {
    int relative = 0;
    float angleMin = -180.0f;
    float angleMax = 180.0f;
    float levelMin = -30.0f;
    float levelMax = 0.0f;
    float relativeLevelMin = -30.0f;
    float relativeLevelMax = 0.0f;
    float constant20 = 20.0f;
    float constantMinus40 = -40.0f;
    float constantHalf = 0.5f;
    int polarAngleGrid = 1;
    int polarLevelScale = 1;
    int cartesianAngleScale = 1;
    int cartesianLevelGrid = 1;
    int polarAngleScaleDivision = 30; // degrees
    int polarAngleGridStep = 10;      // degrees
    int polarLevelGridStep = 1000;
    int polarLevelScaleDivision = 500;
    int polarConstant100 = 100;
    int cartesianAngleGridStep = 100;
    int cartesianAngleScaleDivision = 300;
    int cartesianConstant50a = 50;
    int cartesianLevelScaleDivision = 500;
    int cartesianLevelGridStep = 100;
    int cartesianConstant50b = 50;

    // The level range of the mode the view is in (absolute or relative display).
    float Lmin() const { return relative ? relativeLevelMin : levelMin; }
    float Lmax() const { return relative ? relativeLevelMax : levelMax; }
};

// The apply step: runs when the view is created, after a coordinate-system switch and after the
// draw-setting dialog's OK.
PlotSettingsBlock ApplyDrawSettings(const DrawSettings& settings);

struct LogicalPoint {
    int x = 0;
    int y = 0;
    bool operator==(const LogicalPoint&) const = default;
};

// The anisotropic mapping: logical window onto device viewport (pixels).
struct PlotMapping {
    int windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
    int viewportOrgX = 0, viewportOrgY = 0, viewportExtX = 1, viewportExtY = 1;

    double ToDeviceX(double lx) const;
    double ToDeviceY(double ly) const;
    double ToLogicalX(double dx) const;
    double ToLogicalY(double dy) const;
    // Device pixels per logical unit along x (absolute value), used for pen widths and offsets.
    double ScaleX() const;
    double ScaleY() const;
};

inline constexpr int kPolarMargin = 80;

// The polar pixel radius c of a client area of W x H pixels; never below 1 so that a tiny window
// still has a valid mapping.
int PolarPixelRadius(int width, int height);
// The logical outer radius R = (Lmax - Lmin) x 100.
int PolarLogicalRadius(const PlotSettingsBlock& block);

PlotMapping PolarMapping(int width, int height, const PlotSettingsBlock& block);
PlotMapping CartesianMapping(int width, int height, const PlotSettingsBlock& block);
PlotMapping MappingFor(int coordinateSystem, int width, int height, const PlotSettingsBlock& block);

// Sample to logical point; `referenceLevel` is subtracted first (relative display), the level is
// clamped into [Lmin, Lmax], never dropped.
LogicalPoint MapPolar(double angle, double level, double referenceLevel, const PlotSettingsBlock& block);
LogicalPoint MapCartesian(double angle, double level, double referenceLevel, const PlotSettingsBlock& block);
LogicalPoint MapSample(int coordinateSystem, double angle, double level, double referenceLevel,
                       const PlotSettingsBlock& block);
// The Cartesian x of an angle, wrapped by whole turns into [-1800, 1800].
int CartesianX(double angle);

struct Readout {
    double angle = 0;
    double level = 0;
};
// The mouse readout of a pixel. Polar: the pixel column decides the half; the vertical through the
// centre reads 0 degrees above and 180 below the centre.
Readout PolarReadout(const PlotMapping& mapping, int pixelX, int pixelY, int pixelRadius,
                     const PlotSettingsBlock& block);
Readout CartesianReadout(const PlotMapping& mapping, int pixelX, int pixelY);
// True when the readout lies outside the plot.
bool IsOutOfRange(int coordinateSystem, const Readout& readout, const PlotSettingsBlock& block);
