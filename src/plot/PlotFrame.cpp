#include "plot/PlotFrame.h"

#include <cmath>

namespace {
constexpr int kReferenceOffset = 300; // 3 dB in logical units

FrameShape Circle(int radius, Rgb color, int width = 1, PenStyle style = PenStyle::Solid) {
    FrameShape shape;
    shape.radius = radius;
    shape.color = color;
    shape.width = width;
    shape.style = style;
    return shape;
}

FrameShape Line(LogicalPoint from, LogicalPoint to, Rgb color, PenStyle style = PenStyle::Solid) {
    FrameShape shape;
    shape.from = from;
    shape.to = to;
    shape.color = color;
    shape.style = style;
    return shape;
}

std::string Degrees(int value) {
    return std::to_string(value) + "°";
}

// A run of grid lines, ticks or labels denser than this is a solid smear on any screen, and with
// the settings' unchecked integers it could ask for billions of shapes: such a run is not drawn.
constexpr long long kMaxFrameSteps = 5000;

// True when stepping from `first` to `last` is a run worth drawing. A step of zero or less (the
// dialog accepts any integer) draws nothing instead of looping forever.
bool Drawable(long long first, long long last, int step) {
    return step > 0 && (last - first) / step <= kMaxFrameSteps;
}

// Concentric circles from the outer radius inward while the radius is at least one step.
void AddRings(PlotFrame& frame, int outer, int step, Rgb color) {
    if (!Drawable(0, outer, step)) return;
    for (int r = outer; r >= step; r -= step) frame.shapes.push_back(Circle(r, color));
}

void AddDiameters(PlotFrame& frame, const PlotSettingsBlock& block, int stepDegrees, Rgb color) {
    if (stepDegrees <= 0) return;
    for (int a = 0; a < 180; a += stepDegrees) {
        for (int angle : {a, -a}) {
            const LogicalPoint end = MapPolar(angle, block.Lmax(), 0, block);
            const LogicalPoint opposite = MapPolar(angle + 180, block.Lmax(), 0, block);
            frame.shapes.push_back(Line(end, opposite, color));
        }
    }
}

// Steps from `first` up to `last` inclusive; nothing for a run that is not drawable.
template <typename F> void Walk(int first, int last, int step, F&& visit) {
    if (!Drawable(first, last, step)) return;
    for (long long v = first; v <= last; v += step) visit(static_cast<int>(v));
}
} // namespace

PlotFrame BuildPolarFrame(const PlotSettingsBlock& block, const PlotColors& colors, bool reference3dB) {
    PlotFrame frame;
    const int radius = PolarLogicalRadius(block);
    const Rgb grid = colors.grid;
    const Rgb axes = colors.coordinates;
    if (block.polarLevelScale) AddRings(frame, radius, block.polarLevelScaleDivision, grid);
    AddRings(frame, radius, block.polarLevelGridStep, grid);
    if (block.polarAngleGrid) AddDiameters(frame, block, block.polarAngleGridStep, grid);
    AddDiameters(frame, block, block.polarAngleScaleDivision, grid);
    if (reference3dB && radius > kReferenceOffset)
        frame.shapes.push_back(Circle(radius - kReferenceOffset, kReferenceLineColor, 1, PenStyle::Dotted));
    if (radius > 0) frame.shapes.push_back(Circle(radius, axes, 35));

    // Level axis along the left radius, a tick at every level grid step.
    frame.shapes.push_back(Line({-radius, 0}, {0, 0}, axes));
    const int tick = std::max(1, radius / 60);
    Walk(-radius, 0, block.polarLevelGridStep, [&](int x) {
        frame.shapes.push_back(Line({x, -tick}, {x, tick}, axes));
    });

    const int lmax = static_cast<int>(block.Lmax());
    const int lmin = static_cast<int>(block.Lmin());
    frame.labels.push_back({"0°", {0, -radius}, LabelPlace::Above, 20});
    frame.labels.push_back({"180°", {0, radius}, LabelPlace::Below, 20});
    frame.labels.push_back({"270°", {-radius, 0}, LabelPlace::Left, 20});
    frame.labels.push_back({"90°", {radius, 0}, LabelPlace::Right, 20});
    Walk(0, 359, block.polarAngleScaleDivision, [&](int a) {
        if (a % 90 == 0) return;
        FrameLabel label{Degrees(a), MapPolar(a, block.Lmax(), 0, block), LabelPlace::Outward, 20};
        label.direction = a;
        frame.labels.push_back(label);
    });
    frame.labels.push_back({std::to_string(lmax) + "dB", {0, -radius}, LabelPlace::AboveRight, 20});
    const int levelStep = block.polarLevelGridStep / 100;
    if (Drawable(lmin, lmax, levelStep)) {
        for (int level = lmin + levelStep; level < lmax; level += levelStep)
            frame.labels.push_back({std::to_string(level), {(level - lmin) * 100, 0}, LabelPlace::Below, 18});
    }
    if (reference3dB && radius > kReferenceOffset)
        frame.labels.push_back(
            {std::to_string(lmax - 3), {radius - kReferenceOffset, 0}, LabelPlace::AboveLeft, 18});
    return frame;
}

PlotFrame BuildCartesianFrame(const PlotSettingsBlock& block, const PlotColors& colors, bool reference3dB) {
    PlotFrame frame;
    const int xMin = static_cast<int>(block.angleMin * 10.0f);
    const int xMax = static_cast<int>(block.angleMax * 10.0f);
    const int yMax = static_cast<int>(block.Lmax() * 100.0f);
    const int yMin = static_cast<int>(block.Lmin() * 100.0f);
    const Rgb grid = colors.grid;
    const Rgb axes = colors.coordinates;
    auto horizontal = [&](int y) { frame.shapes.push_back(Line({xMin, y}, {xMax, y}, grid)); };
    auto vertical = [&](int x) { frame.shapes.push_back(Line({x, yMin}, {x, yMax}, grid)); };
    Walk(yMin, yMax, block.cartesianLevelScaleDivision, horizontal);
    if (block.cartesianLevelGrid) Walk(yMin, yMax, block.cartesianLevelGridStep, horizontal);
    Walk(xMin, xMax, block.cartesianAngleGridStep, vertical);
    if (block.cartesianAngleScale) Walk(xMin, xMax, block.cartesianAngleScaleDivision, vertical);

    frame.shapes.push_back(Line({xMin, yMin}, {xMax, yMin}, axes));
    frame.shapes.push_back(Line({xMax, yMin}, {xMax, yMax}, axes));
    frame.shapes.push_back(Line({xMax, yMax}, {xMin, yMax}, axes));
    frame.shapes.push_back(Line({xMin, yMax}, {xMin, yMin}, axes));
    const int xTick = 15;
    const int yTick = std::max(1, (yMax - yMin) / 80);
    Walk(xMin, xMax, block.cartesianAngleScaleDivision, [&](int x) {
        frame.shapes.push_back(Line({x, yMin}, {x, yMin + yTick}, axes));
    });
    Walk(yMin, yMax, block.cartesianLevelScaleDivision, [&](int y) {
        frame.shapes.push_back(Line({xMin, y}, {xMin + xTick, y}, axes));
    });
    const int y3 = yMax - kReferenceOffset;
    if (reference3dB && y3 >= yMin)
        frame.shapes.push_back(Line({xMin, y3}, {xMax, y3}, kReferenceLineColor, PenStyle::Dotted));

    Walk(xMin, xMax, block.cartesianAngleScaleDivision, [&](int x) {
        frame.labels.push_back({Degrees(x / 10), {x, yMin}, LabelPlace::Below, 12});
    });
    Walk(yMin, yMax, block.cartesianLevelScaleDivision, [&](int y) {
        frame.labels.push_back({std::to_string(y / 100), {xMin, y}, LabelPlace::Left, 12});
    });
    frame.labels.push_back({"Unit:Degrees", {xMax, yMin}, LabelPlace::AboveLeft, 12});
    frame.labels.push_back({"Unit:dB", {xMin, yMax}, LabelPlace::BelowRight, 12});
    if (reference3dB && y3 >= yMin) frame.labels.push_back({"-3dB", {xMax, y3}, LabelPlace::AboveLeft, 12});
    return frame;
}

PlotFrame BuildFrame(int coordinateSystem, const PlotSettingsBlock& block, const PlotColors& colors,
                     bool reference3dB) {
    return coordinateSystem == kCartesianSystem ? BuildCartesianFrame(block, colors, reference3dB)
                                                : BuildPolarFrame(block, colors, reference3dB);
}
