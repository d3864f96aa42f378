#pragma once
#include <optional>
#include <string>

#include "plot/PlotGeometry.h"

// The device viewport of a zoom: the drawn rectangle blown up to fill the window.
struct ZoomViewport {
    int orgX = 0, orgY = 0, extX = 1, extY = 1;
};

// Fits the rectangle from the press point (x1, y1) to the release point (x2, y2) into a window of
// W x H pixels, keeping its aspect, from the `current` mapping. A rectangle of zero width or height
// is ignored (no zoom).
std::optional<ZoomViewport> ZoomToRectangle(const PlotMapping& current, int x1, int y1, int x2, int y2,
                                            int width, int height);

// The view scaled by `factor` about the pixel (x, y), which stays where it is (the wheel zooms at the
// cursor); nothing when the result would be degenerate.
std::optional<ZoomViewport> ZoomAbout(const PlotMapping& current, int x, int y, double factor);
// The view moved by (dx, dy) pixels (a pan).
ZoomViewport PanBy(const PlotMapping& current, int dx, int dy);

// The mapping the view draws with: the window part of `base`, the zoom viewport while zoomed.
PlotMapping ApplyZoom(PlotMapping base, const std::optional<ZoomViewport>& zoom);

// The mouse readout of a pixel in the view's mapping, and whether it lies inside the plot.
struct ViewReadout {
    Readout value;
    bool inside = false;
};
ViewReadout ReadoutAt(int coordinateSystem, const PlotMapping& mapping, const PlotSettingsBlock& block,
                      int pixelX, int pixelY);

// "%0.1f°　%0.2fdB　" (the separators are ideographic spaces).
std::string ReadoutText(const Readout& readout);
