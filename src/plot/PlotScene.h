#pragma once
#include <string>
#include <vector>

#include "plot/DrawSettings.h"
#include "plot/PlotColors.h"
#include "plot/PlotGeometry.h"
#include "plot/PlotMarkers.h"
#include "plot/PlotState.h"

class CQuadrelDoc;
class Notifier;

// One polyline in logical units with its pen (width in logical units).
struct ScenePolyline {
    std::vector<LogicalPoint> points;
    Rgb color;
    int width = 1;
};

// The SPR overlay of one horizontal co-polar cut: the region between the cut and the centre (or the
// bottom axis) from -S to +S, outlined and filled black.
struct SceneSector {
    std::vector<LogicalPoint> outline;
    int width = 1;
};

struct SceneMarker {
    std::string name;
    LogicalPoint at;
    PatternPoint value; // the marker's point as shown (angle, level)
};

// A cut named in the plot's legend, in the colour it is drawn in.
struct SceneLegendEntry {
    std::string name;
    Rgb color;
    bool stroke = true; // false for a line that only counts the cuts left out
};

// Everything that Part of the view draws above the frame, in drawing order, in logical units.
struct PlotScene {
    int coordinateSystem = kPolarSystem;
    PlotSettingsBlock block;
    std::vector<ScenePolyline> patterns;
    std::vector<ScenePolyline> envelopes;
    std::vector<SceneSector> sectors;
    std::vector<SceneMarker> markers;
    std::vector<SceneLegendEntry> legend; // the cuts shown, in drawing order
};

// The relative-display reference level of a pattern: 0 when relative display is off; else the level
// of the cut's own maximum (co-polar) or of its co-polar partner's (cross-polar). A cross-polar cut
// whose partner is not loaded uses 0 and is reported on the status bar and in the log.
double ReferenceLevel(const CQuadrelDoc& doc, const PatternFile& file, bool relative, Notifier* notifier);

// The samples the view draws for a pattern (the display copy when the pattern shows it).
const Cut& DrawnSamples(const PatternFile& file);

// The envelope curve drawn with a pattern; null when none of its kind is loaded.
const CurveFile* EnvelopeFor(const CQuadrelDoc& doc, const PatternFile& file);

// Builds the scene of the current selection: one polyline per selected pattern present in the
// table (an "msi" file gives two: its horizontal cut, then its vertical cut in the next colour),
// envelopes, SPR sectors and the markers of the list whose switches are on.
PlotScene BuildPlotScene(const CQuadrelDoc& doc, const PlotState& state, Notifier* notifier);
