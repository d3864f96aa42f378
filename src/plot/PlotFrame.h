#pragma once
#include <string>
#include <vector>

#include "plot/PlotColors.h"
#include "plot/PlotGeometry.h"

enum class PenStyle { Solid, Dotted };

// A circle about the logical origin (radius > 0) or a straight line from `from` to `to`.
struct FrameShape {
    int radius = 0;
    LogicalPoint from;
    LogicalPoint to;
    Rgb color;
    int width = 1; // logical units
    PenStyle style = PenStyle::Solid;
    bool IsCircle() const { return radius > 0; }
};

// Where a label sits relative to its anchor. The renderer keeps a small gap of a few pixels.
enum class LabelPlace { Above, Below, Left, Right, AboveRight, AboveLeft, BelowRight, Outward };

struct FrameLabel {
    std::string text;
    LogicalPoint anchor;
    LabelPlace place = LabelPlace::Above;
    int fontHeight = 20;  // pixels
    double direction = 0; // degrees on the plot, for LabelPlace::Outward
};

inline constexpr const char* kPlotFontFace = "Microsoft Sans Serif";
inline constexpr Rgb kReferenceLineColor{200, 0, 200};

// The frame, grid and labels of one coordinate system, in drawing order, in logical units.
struct PlotFrame {
    std::vector<FrameShape> shapes;
    std::vector<FrameLabel> labels;
};

PlotFrame BuildPolarFrame(const PlotSettingsBlock& block, const PlotColors& colors, bool reference3dB);
PlotFrame BuildCartesianFrame(const PlotSettingsBlock& block, const PlotColors& colors, bool reference3dB);
PlotFrame BuildFrame(int coordinateSystem, const PlotSettingsBlock& block, const PlotColors& colors,
                     bool reference3dB);
