#include "plot/PlotGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265; // the value the angles were always converted with

double ClampLevel(double level, double referenceLevel, const PlotSettingsBlock& block) {
    const double l = level - referenceLevel;
    if (std::isnan(l)) return block.Lmin();
    // min/max rather than std::clamp: a minimum set above the maximum must not be undefined.
    return std::max<double>(std::min<double>(l, block.Lmax()), block.Lmin());
}

// Levels far beyond any antenna's (the dialog and the stored settings accept any integer) are held
// where their logical units and the polar radius still fit an int.
constexpr double kLevelLimit = 1.0e6;

float BoundedLevel(int level) {
    return static_cast<float>(std::clamp<double>(level, -kLevelLimit, kLevelLimit));
}

// A step in logical units, saturated instead of overflowing.
int Scaled(int value, int factor) {
    const long long scaled = static_cast<long long>(value) * factor;
    return static_cast<int>(std::clamp<long long>(scaled, INT_MIN, INT_MAX));
}
} // namespace

PlotSettingsBlock ApplyDrawSettings(const DrawSettings& settings) {
    PlotSettingsBlock block;
    block.relative = settings.relativeDisplay;
    const AxisSettings& current = settings.Current();
    block.levelMax = block.relativeLevelMax = BoundedLevel(current.levelMax);
    block.levelMin = block.relativeLevelMin = BoundedLevel(current.levelMin);
    block.polarAngleScaleDivision = settings.polar.angleScaleDivision;
    block.polarAngleGridStep = settings.polar.angleGridStep;
    block.polarLevelGridStep = Scaled(settings.polar.levelGridStep, 100);
    block.polarLevelScaleDivision = Scaled(settings.polar.levelScaleDivision, 100);
    block.cartesianAngleGridStep = Scaled(settings.cartesian.angleGridStep, 10);
    block.cartesianAngleScaleDivision = Scaled(settings.cartesian.angleScaleDivision, 10);
    block.cartesianLevelScaleDivision = Scaled(settings.cartesian.levelScaleDivision, 100);
    block.cartesianLevelGridStep = Scaled(settings.cartesian.levelGridStep, 100);
    return block;
}

double PlotMapping::ToDeviceX(double lx) const {
    return viewportOrgX + (lx - windowOrgX) * viewportExtX / windowExtX;
}
double PlotMapping::ToDeviceY(double ly) const {
    return viewportOrgY + (ly - windowOrgY) * viewportExtY / windowExtY;
}
double PlotMapping::ToLogicalX(double dx) const {
    return windowOrgX + (dx - viewportOrgX) * windowExtX / viewportExtX;
}
double PlotMapping::ToLogicalY(double dy) const {
    return windowOrgY + (dy - viewportOrgY) * windowExtY / viewportExtY;
}
double PlotMapping::ScaleX() const {
    return std::abs(double(viewportExtX) / windowExtX);
}
double PlotMapping::ScaleY() const {
    return std::abs(double(viewportExtY) / windowExtY);
}

int PolarPixelRadius(int width, int height) {
    return std::max(1, std::min(width, height) / 2 - kPolarMargin);
}

int PolarLogicalRadius(const PlotSettingsBlock& block) {
    return static_cast<int>((block.Lmax() - block.Lmin()) * 100.0f);
}

PlotMapping PolarMapping(int width, int height, const PlotSettingsBlock& block) {
    const int c = PolarPixelRadius(width, height);
    // A zero or negative range would make the mapping singular; one logical unit keeps it valid.
    const int radius = std::max(1, PolarLogicalRadius(block));
    PlotMapping m;
    m.windowOrgX = m.windowOrgY = -radius;
    m.windowExtX = m.windowExtY = 2 * radius;
    m.viewportOrgX = m.viewportOrgY = kPolarMargin;
    m.viewportExtX = m.viewportExtY = 2 * c;
    return m;
}

PlotMapping CartesianMapping(int width, int height, const PlotSettingsBlock& block) {
    const int xMin = static_cast<int>(block.angleMin * 10.0f);
    const int xMax = static_cast<int>(block.angleMax * 10.0f);
    const int yMax = static_cast<int>(block.Lmax() * 100.0f);
    const int yMin = static_cast<int>(block.Lmin() * 100.0f);
    PlotMapping m;
    m.windowOrgX = xMin;
    m.windowOrgY = yMax;
    m.windowExtX = xMax - xMin;
    m.windowExtY = yMax - yMin == 0 ? 1 : yMax - yMin;
    m.viewportOrgX = 30;
    m.viewportOrgY = 25;
    m.viewportExtX = std::max(1, width - 50);
    m.viewportExtY = -std::max(1, height - 50);
    return m;
}

PlotMapping MappingFor(int coordinateSystem, int width, int height, const PlotSettingsBlock& block) {
    return coordinateSystem == kCartesianSystem ? CartesianMapping(width, height, block)
                                                : PolarMapping(width, height, block);
}

LogicalPoint MapPolar(double angle, double level, double referenceLevel, const PlotSettingsBlock& block) {
    const double r = (ClampLevel(level, referenceLevel, block) - block.Lmin()) * 100.0;
    if (!std::isfinite(angle)) angle = 0.0;
    const double theta = (angle + 90.0) * kPi / 180.0;
    return {static_cast<int>(-std::cos(theta) * r), static_cast<int>(-std::sin(theta) * r)};
}

int CartesianX(double angle) {
    if (!std::isfinite(angle)) return 0;
    // Far outside one turn: drop whole turns first so the integer conversion stays in range.
    if (std::abs(angle) > 1.0e6) angle = std::fmod(angle, 360.0);
    // The nudge away from zero keeps angles stored as floats (0.3 is 0.29999…) on their tenth of a
    // degree; it is a hundredth of a logical unit, so -179.99 degrees stays at -1799 and does not
    // reach -1800.
    int x = angle >= 0 ? static_cast<int>(angle * 10.0 + 0.01) : static_cast<int>(angle * 10.0 - 0.01);
    // Whole turns at once: a corrupt angle of 1e9 degrees must not loop for seconds.
    if (x > 1800) x -= ((x - 1800 + 3599) / 3600) * 3600;
    if (x < -1800) x += ((-1800 - x + 3599) / 3600) * 3600;
    return x;
}

LogicalPoint MapCartesian(double angle, double level, double referenceLevel, const PlotSettingsBlock& block) {
    return {CartesianX(angle), static_cast<int>(ClampLevel(level, referenceLevel, block) * 100.0)};
}

LogicalPoint MapSample(int coordinateSystem, double angle, double level, double referenceLevel,
                       const PlotSettingsBlock& block) {
    return coordinateSystem == kCartesianSystem ? MapCartesian(angle, level, referenceLevel, block)
                                                : MapPolar(angle, level, referenceLevel, block);
}

Readout PolarReadout(const PlotMapping& mapping, int pixelX, int pixelY, int pixelRadius,
                     const PlotSettingsBlock& block) {
    const double lx = std::round(mapping.ToLogicalX(pixelX));
    const double ly = std::round(mapping.ToLogicalY(pixelY));
    Readout readout;
    readout.level = std::sqrt(lx * lx + ly * ly) / 100.0 + block.Lmin();
    if (lx == 0) {
        // On the vertical through the centre the slope is infinite: straight up is 0 degrees.
        readout.angle = ly > 0 ? 180.0 : 0.0;
    } else {
        const double a = std::atan(ly / lx) * 180.0 / kPi;
        readout.angle = pixelX < kPolarMargin + pixelRadius ? a - 90.0 : a + 90.0;
    }
    return readout;
}

Readout CartesianReadout(const PlotMapping& mapping, int pixelX, int pixelY) {
    const double lx = std::round(mapping.ToLogicalX(pixelX));
    const double ly = std::round(mapping.ToLogicalY(pixelY));
    return {lx / 10.0, ly / 100.0};
}

bool IsOutOfRange(int coordinateSystem, const Readout& readout, const PlotSettingsBlock& block) {
    if (coordinateSystem != kCartesianSystem) return readout.level > block.Lmax();
    return readout.level > block.Lmax() || readout.level < block.Lmin() || readout.angle < -180.0 ||
           readout.angle > 180.0;
}
