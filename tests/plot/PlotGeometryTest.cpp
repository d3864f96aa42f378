#include <gtest/gtest.h>

#include "plot/PlotGeometry.h"

namespace {
PlotSettingsBlock Block(int system, int relative = 0) {
    DrawSettings settings;
    settings.coordinateSystem = system;
    settings.relativeDisplay = relative;
    return ApplyDrawSettings(settings);
}

struct PolarCase {
    double angle;
    double level;
    double reference;
    LogicalPoint expected;
};

TEST(PolarMapping, SamplesLandWhereTheFrameSaysTheyShould) {
    const PlotSettingsBlock block = Block(kPolarSystem); // 0 to -30 dB, R = 3000
    const PolarCase cases[] = {
        {0, 0, 0, {0, -3000}},   // top of the outer circle
        {90, 0, 0, {3000, 0}},   // right end of the horizontal diameter
        {-90, 0, 0, {-3000, 0}}, // left end
        {180, 0, 0, {0, 3000}},  // bottom
        {90, -40, 0, {0, 0}},    // below the minimum: on the centre
        {0, -30, 0, {0, 0}},     // the minimum itself is the centre
        {0, 5, 0, {0, -3000}},   // above the maximum: clamped onto the outer circle
        {0, -2, -2, {0, -3000}}, // relative display: a -2 dB peak on the 0 dB circle
        {90, -10, 0, {2000, 0}},
    };
    for (const PolarCase& c : cases) {
        const LogicalPoint p = MapPolar(c.angle, c.level, c.reference, block);
        EXPECT_NEAR(p.x, c.expected.x, 1) << c.angle << " " << c.level;
        EXPECT_NEAR(p.y, c.expected.y, 1) << c.angle << " " << c.level;
    }
}

TEST(PolarMapping, WindowAndViewportFollowTheClientSize) {
    const PlotSettingsBlock block = Block(kPolarSystem);
    const PlotMapping m = PolarMapping(1000, 800, block); // c = 400 / ... = 320
    EXPECT_EQ(PolarPixelRadius(1000, 800), 320);
    EXPECT_EQ(m.windowOrgX, -3000);
    EXPECT_EQ(m.windowExtX, 6000);
    EXPECT_EQ(m.viewportOrgX, 80);
    EXPECT_EQ(m.viewportExtX, 640);
    // 90 degrees at 0 dB is the right end of the horizontal diameter in pixels too.
    const LogicalPoint right = MapPolar(90, 0, 0, block);
    EXPECT_NEAR(m.ToDeviceX(right.x), 80 + 2 * 320, 0.5);
    EXPECT_NEAR(m.ToDeviceY(right.y), 80 + 320, 0.5);
    // A window too small for the margins still gives a usable mapping.
    EXPECT_EQ(PolarPixelRadius(100, 100), 1);
}

TEST(CartesianMapping, AnglesAreWrappedAndTruncatedAsDrawn) {
    const struct {
        double angle;
        int x;
    } cases[] = {{180.0, 1800}, {-179.99, -1799}, {190.0, -1700}, {-190.0, 1700}, {0.0, 0},
                 {-0.5, -5},    {359.5, -5},      {540.0, 1800},  {1.0e9, -800}};
    for (const auto& c : cases) EXPECT_EQ(CartesianX(c.angle), c.x) << c.angle;
    // 190 degrees is drawn where -170 degrees is.
    EXPECT_EQ(CartesianX(190.0), CartesianX(-170.0));
}

TEST(CartesianMapping, LevelsClampAndTheAxisPointsUp) {
    const PlotSettingsBlock block = Block(kCartesianSystem); // 0 to -50 dB
    EXPECT_EQ(MapCartesian(10, -60, 0, block).y, -5000);
    EXPECT_EQ(MapCartesian(10, 3, 0, block).y, 0);
    EXPECT_EQ(MapCartesian(10, -12.5, 0, block).y, -1250);
    const PlotMapping m = CartesianMapping(1000, 800, block);
    EXPECT_NEAR(m.ToDeviceX(-1800), 30, 1e-9);
    EXPECT_NEAR(m.ToDeviceX(1800), 980, 1e-9);
    EXPECT_NEAR(m.ToDeviceY(0), 25, 1e-9);
    EXPECT_NEAR(m.ToDeviceY(-5000), 775, 1e-9);
}

TEST(ApplyDrawSettings, LevelRangeComesFromTheCurrentSystem) {
    EXPECT_EQ(Block(kPolarSystem).levelMin, -30.0f);
    const PlotSettingsBlock cartesian = Block(kCartesianSystem);
    EXPECT_EQ(cartesian.levelMin, -50.0f);
    EXPECT_EQ(cartesian.relativeLevelMin, -50.0f);
    EXPECT_EQ(cartesian.polarLevelGridStep, 1000);
    EXPECT_EQ(cartesian.cartesianAngleScaleDivision, 300);
    EXPECT_EQ(cartesian.cartesianLevelGridStep, 100);
}

TEST(Readout, InverseMappingReturnsAngleAndLevel) {
    const PlotSettingsBlock block = Block(kPolarSystem);
    const int c = PolarPixelRadius(800, 800); // 320, centre (400, 400)
    const PlotMapping m = PolarMapping(800, 800, block);
    const struct {
        int px, py;
        double angle, level;
    } cases[] = {
        {720, 400, 90, 0},  // right end
        {80, 400, -90, 0},  // left end
        {400, 80, 0, 0},    // straight up on the centre column: no division by zero
        {400, 720, 180, 0}, // straight down
        {400, 400, 0, -30}, // the centre
        {560, 400, 90, -15},
    };
    for (const auto& t : cases) {
        const Readout r = PolarReadout(m, t.px, t.py, c, block);
        EXPECT_NEAR(r.angle, t.angle, 0.05) << t.px << "," << t.py;
        EXPECT_NEAR(r.level, t.level, 0.05) << t.px << "," << t.py;
    }
    EXPECT_TRUE(IsOutOfRange(kPolarSystem, {0, 0.5}, block));
    EXPECT_FALSE(IsOutOfRange(kPolarSystem, {0, -40}, block));
    const PlotSettingsBlock cartesian = Block(kCartesianSystem);
    EXPECT_TRUE(IsOutOfRange(kCartesianSystem, {0, -51}, cartesian));
    EXPECT_TRUE(IsOutOfRange(kCartesianSystem, {180.5, -10}, cartesian));
    EXPECT_FALSE(IsOutOfRange(kCartesianSystem, {180, -50}, cartesian));
    const Readout r = CartesianReadout(CartesianMapping(1000, 800, cartesian), 980, 25);
    EXPECT_NEAR(r.angle, 180, 1e-9);
    EXPECT_NEAR(r.level, 0, 1e-9);
}
} // namespace
