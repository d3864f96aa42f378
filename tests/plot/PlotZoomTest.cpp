#include <gtest/gtest.h>

#include <cmath>

#include "plot/PlotZoom.h"

namespace {
// Wheel zoom keeps the logical point under the cursor where it was; a pan moves every point by the
// drag; a degenerate factor changes nothing.
TEST(PlotZoom, WheelStepsKeepTheCursorPointAndPansMoveEverything) {
    DrawSettings settings;
    const PlotMapping base = MappingFor(kCartesianSystem, 800, 600, ApplyDrawSettings(settings));
    const struct {
        int x, y;
        double factor;
        bool zooms;
    } cases[] = {{400, 300, 1.25, true}, {120, 500, 2.0, true}, {700, 80, 0.8, true}, {10, 10, 0.0, false}};
    for (const auto& c : cases) {
        const std::optional<ZoomViewport> zoom = ZoomAbout(base, c.x, c.y, c.factor);
        ASSERT_EQ(zoom.has_value(), c.zooms) << c.factor;
        if (!zoom) continue;
        const PlotMapping zoomed = ApplyZoom(base, zoom);
        EXPECT_NEAR(zoomed.ToDeviceX(base.ToLogicalX(c.x)), c.x, 1.0) << c.factor;
        EXPECT_NEAR(zoomed.ToDeviceY(base.ToLogicalY(c.y)), c.y, 1.0) << c.factor;
        EXPECT_NEAR(zoomed.ScaleX() / base.ScaleX(), c.factor, 0.01) << c.factor;
        const PlotMapping panned = ApplyZoom(zoomed, PanBy(zoomed, 35, -20));
        EXPECT_NEAR(panned.ToDeviceX(-900) - zoomed.ToDeviceX(-900), 35, 1e-9);
        EXPECT_NEAR(panned.ToDeviceY(-1500) - zoomed.ToDeviceY(-1500), -20, 1e-9);
    }
}
} // namespace
