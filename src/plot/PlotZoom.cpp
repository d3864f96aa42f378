#include "plot/PlotZoom.h"

#include <cmath>
#include <cstdlib>

#include "app/TextUtil.h"
#include "plot/DrawSettings.h"

std::optional<ZoomViewport> ZoomToRectangle(const PlotMapping& current, int x1, int y1, int x2, int y2,
                                            int width, int height) {
    const double dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    if (dx == 0 || dy == 0 || width <= 0 || height <= 0) return std::nullopt;
    const double s = dx * height <= width * dy ? height / dy : width / dx;
    // Press point in the top-left corner whichever way the rectangle was drawn.
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    ZoomViewport zoom;
    zoom.orgX = static_cast<int>(std::lround((current.viewportOrgX - left) * s));
    zoom.orgY = static_cast<int>(std::lround((current.viewportOrgY - top) * s));
    zoom.extX = static_cast<int>(std::lround(current.viewportExtX * s));
    zoom.extY = static_cast<int>(std::lround(current.viewportExtY * s));
    if (zoom.extX == 0 || zoom.extY == 0) return std::nullopt;
    return zoom;
}

std::optional<ZoomViewport> ZoomAbout(const PlotMapping& current, int x, int y, double factor) {
    if (!(factor > 0)) return std::nullopt;
    ZoomViewport zoom;
    zoom.orgX = static_cast<int>(std::lround(x + (current.viewportOrgX - x) * factor));
    zoom.orgY = static_cast<int>(std::lround(y + (current.viewportOrgY - y) * factor));
    zoom.extX = static_cast<int>(std::lround(current.viewportExtX * factor));
    zoom.extY = static_cast<int>(std::lround(current.viewportExtY * factor));
    if (zoom.extX == 0 || zoom.extY == 0) return std::nullopt;
    return zoom;
}

ZoomViewport PanBy(const PlotMapping& current, int dx, int dy) {
    return {current.viewportOrgX + dx, current.viewportOrgY + dy, current.viewportExtX, current.viewportExtY};
}

PlotMapping ApplyZoom(PlotMapping base, const std::optional<ZoomViewport>& zoom) {
    if (!zoom) return base;
    base.viewportOrgX = zoom->orgX;
    base.viewportOrgY = zoom->orgY;
    base.viewportExtX = zoom->extX;
    base.viewportExtY = zoom->extY;
    return base;
}

ViewReadout ReadoutAt(int coordinateSystem, const PlotMapping& mapping, const PlotSettingsBlock& block,
                      int pixelX, int pixelY) {
    ViewReadout result;
    if (coordinateSystem == kPolarSystem) {
        // The half is decided by the centre column, wherever a zoom has moved it.
        const int radius = static_cast<int>(std::lround(mapping.ToDeviceX(0))) - kPolarMargin;
        result.value = PolarReadout(mapping, pixelX, pixelY, radius, block);
    } else {
        result.value = CartesianReadout(mapping, pixelX, pixelY);
    }
    result.inside = !IsOutOfRange(coordinateSystem, result.value, block);
    return result;
}

std::string ReadoutText(const Readout& readout) {
    return FormatShown(readout.angle, 1) + "°\u3000" + FormatShown(readout.level, 2) + "dB\u3000";
}
