#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "plot/PlotFrame.h"

namespace {
PlotSettingsBlock Block(int system, AxisSettings axis) {
    DrawSettings settings;
    settings.coordinateSystem = system;
    (system == kPolarSystem ? settings.polar : settings.cartesian) = axis;
    return ApplyDrawSettings(settings);
}

std::multiset<int> Radii(const PlotFrame& frame, Rgb color) {
    std::multiset<int> radii;
    for (const FrameShape& s : frame.shapes)
        if (s.IsCircle() && s.color == color) radii.insert(s.radius);
    return radii;
}

bool HasLabel(const PlotFrame& frame, const std::string& text) {
    return std::any_of(frame.labels.begin(), frame.labels.end(),
                       [&](const FrameLabel& l) { return l.text == text; });
}

TEST(PolarFrame, DefaultCirclesEveryFiveAndTenDecibels) {
    PlotColors colors;
    const PlotFrame frame = BuildPolarFrame(Block(kPolarSystem, DrawSettings::PolarDefaults()), colors, true);
    // Every 5 dB (scale division) and every 10 dB (grid step), from the outer circle inward.
    EXPECT_EQ(Radii(frame, colors.grid),
              (std::multiset<int>{3000, 2500, 2000, 1500, 1000, 500, 3000, 2000, 1000}));
    EXPECT_EQ(Radii(frame, kReferenceLineColor), std::multiset<int>{2700});
    const auto outer = std::find_if(frame.shapes.begin(), frame.shapes.end(),
                                    [](const FrameShape& s) { return s.IsCircle() && s.width == 35; });
    ASSERT_NE(outer, frame.shapes.end());
    EXPECT_EQ(outer->radius, 3000);
    for (const char* text :
         {"0°", "90°", "180°", "270°", "30°", "60°", "120°", "330°", "0dB", "-20", "-10", "-3"})
        EXPECT_TRUE(HasLabel(frame, text)) << text;
    EXPECT_FALSE(HasLabel(frame, "-30"));  // the minimum is excluded
    EXPECT_FALSE(HasLabel(frame, "360°")); // 0 to 359 only
}

TEST(PolarFrame, DiametersAtEveryGridStepAndNoneForAZeroStep) {
    PlotColors colors;
    AxisSettings axis = DrawSettings::PolarDefaults();
    const PlotFrame frame = BuildPolarFrame(Block(kPolarSystem, axis), colors, false);
    const auto lines = std::count_if(frame.shapes.begin(), frame.shapes.end(), [&](const FrameShape& s) {
        return !s.IsCircle() && s.color == colors.grid;
    });
    // 18 grid steps and 6 scale divisions below 180, each drawn at +a and -a.
    EXPECT_EQ(lines, (18 + 6) * 2);
    axis.angleGridStep = 0;
    axis.angleScaleDivision = -5;
    axis.levelGridStep = 0;
    axis.levelScaleDivision = 0;
    const PlotFrame empty = BuildPolarFrame(Block(kPolarSystem, axis), colors, false);
    EXPECT_TRUE(Radii(empty, colors.grid).empty());
}

TEST(Frames, SettingsBeyondAnyAntennaStayBoundedAndMapWithoutOverflow) {
    // The dialog and the stored settings take any integer; none of these may hang or overflow.
    const AxisSettings hostile[] = {
        {0, -20000000, 1, 5, 10, 30},          // a level range of billions of logical units
        {2147483647, -2147483647, 1, 1, 1, 1}, // the whole int range
        {0, -50, 30000000, 30000000, 10, 30},  // steps that overflow when scaled
        {0, -100000, 1, 1, 1, 1},              // a legal but absurdly dense grid
    };
    PlotColors colors;
    for (const AxisSettings& axis : hostile) {
        for (int system : {kPolarSystem, kCartesianSystem}) {
            const PlotSettingsBlock block = Block(system, axis);
            const PlotFrame frame = BuildFrame(system, block, colors, true);
            EXPECT_LT(frame.shapes.size() + frame.labels.size(), 30000u) << axis.levelMin;
            EXPECT_GT(frame.shapes.size(), 0u);
            const LogicalPoint low = MapSample(system, 90, -1.0e9, 0, block);
            const LogicalPoint high = MapSample(system, 90, 1.0e9, 0, block);
            EXPECT_NE(low, high) << axis.levelMin;
        }
    }
}

TEST(CartesianFrame, GridLinesLabelsAndReferenceLine) {
    PlotColors colors;
    const PlotFrame frame =
        BuildCartesianFrame(Block(kCartesianSystem, DrawSettings::CartesianDefaults()), colors, true);
    int horizontal = 0, vertical = 0, dotted = 0;
    for (const FrameShape& s : frame.shapes) {
        if (s.style == PenStyle::Dotted) {
            ++dotted;
            EXPECT_EQ(s.from.y, -300);
            EXPECT_EQ(s.color, kReferenceLineColor);
        } else if (s.color == colors.grid) {
            (s.from.y == s.to.y ? horizontal : vertical) += 1;
        }
    }
    EXPECT_EQ(dotted, 1);
    EXPECT_EQ(horizontal, 11 + 51); // every 5 dB and every 1 dB from -50 to 0
    EXPECT_EQ(vertical, 37 + 13);   // every 10 and every 30 degrees from -180 to 180
    for (const char* text : {"-180°", "0°", "180°", "-50", "0", "Unit:Degrees", "Unit:dB", "-3dB"})
        EXPECT_TRUE(HasLabel(frame, text)) << text;
    EXPECT_FALSE(HasLabel(
        BuildCartesianFrame(Block(kCartesianSystem, DrawSettings::CartesianDefaults()), colors, false),
        "-3dB"));
}
} // namespace
