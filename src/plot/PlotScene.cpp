#include "plot/PlotScene.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "app/Log.h"
#include "app/Notifier.h"
#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"

namespace {
// An "msi" file holds the horizontal cut in its first 360 samples and the vertical cut after it.
constexpr size_t kMsiHorizontalSamples = 360;
constexpr Rgb kVerticalEnvelopeColor{0, 100, 0};
constexpr Rgb kHorizontalEnvelopeColor{148, 0, 211};

std::string Plane(const PatternFile& file) {
    return ToLower(file.names[kFieldPlane]);
}
bool IsCrossPolar(const PatternFile& file) {
    return ToLower(file.names[kFieldComponent]) == "cr";
}

// A level that the analysis has not filled in is no reference: the cut is drawn as measured.
double UsableLevel(float level) {
    return level == NOT_SET ? 0.0 : level;
}

// Maps samples [begin, end) and appends them as polylines. In Cartesian coordinates a step back
// across the +-180 degree seam (a cut stored from 0 to 180 and on from -179.5) would draw a line
// across the whole plot; the polyline is broken there instead. Forward steps are always joined, so
// an ascending curve with wide gaps (a coarse envelope) stays one line.
void MapRun(const Cut& cut, size_t begin, size_t end, double reference, int system,
            const PlotSettingsBlock& block, Rgb color, std::vector<ScenePolyline>& out) {
    constexpr int kSeamJump = 1800; // half the Cartesian width in logical units
    ScenePolyline line;
    line.color = color;
    line.points.reserve(end - begin);
    for (size_t i = begin; i < end; ++i) {
        const LogicalPoint p = MapSample(system, cut[i].fAngle, cut[i].fMag, reference, block);
        if (system == kCartesianSystem && !line.points.empty() && line.points.back().x - p.x > kSeamJump) {
            out.push_back(line);
            line.points.clear();
        }
        line.points.push_back(p);
    }
    out.push_back(std::move(line));
}

bool MarkerSwitchedOn(const MarkerSwitches& s, const std::string& name) {
    if (name == "Max") return s.max;
    if (name == "Min") return s.min;
    if (name == "SS MAX") return s.ssMax;
    if (name == "FSU") return s.fsu;
    return false;
}

void AddSector(const CQuadrelDoc& doc, const PatternFile& file, const PlotState& state, PlotScene& scene) {
    const Cut& cut = DrawnSamples(file);
    const float s = doc.Hpara.SPR_xdeg;
    auto at = [&cut](float angle) {
        return std::any_of(cut.begin(), cut.end(),
                           [angle](const PatternPoint& p) { return p.fAngle == angle; });
    };
    if (!at(-s) || !at(s)) return;
    // The cut between -S and +S in angle order: a file stored from 0 to 180 and on from -179.5
    // keeps the two halves of the sector apart in its list.
    Cut inside;
    std::copy_if(cut.begin(), cut.end(), std::back_inserter(inside),
                 [s](const PatternPoint& p) { return p.fAngle >= -s && p.fAngle <= s; });
    std::stable_sort(inside.begin(), inside.end(),
                     [](const PatternPoint& a, const PatternPoint& b) { return a.fAngle < b.fAngle; });
    const double reference = ReferenceLevel(doc, file, state.settings.relativeDisplay != 0, nullptr);
    const PlotSettingsBlock& block = scene.block;
    const bool polar = scene.coordinateSystem != kCartesianSystem;
    SceneSector sector;
    sector.width = polar ? 36 : 3;
    const int bottom = static_cast<int>(block.Lmin() * 100.0f);
    sector.outline.push_back(polar ? LogicalPoint{0, 0} : LogicalPoint{CartesianX(-s), bottom});
    for (const PatternPoint& p : inside)
        sector.outline.push_back(MapSample(scene.coordinateSystem, p.fAngle, p.fMag, reference, block));
    sector.outline.push_back(polar ? LogicalPoint{0, 0} : LogicalPoint{CartesianX(s), bottom});
    scene.sectors.push_back(std::move(sector));
}
} // namespace

const Cut& DrawnSamples(const PatternFile& file) {
    return file.showDisplayCopy && file.displayCopy ? *file.displayCopy : file.samples;
}

double ReferenceLevel(const CQuadrelDoc& doc, const PatternFile& file, bool relative, Notifier* notifier) {
    if (!relative) return 0.0;
    if (!IsCrossPolar(file)) return UsableLevel(MarkerPoint(file, MarkerKind::Max).fMag);
    const PatternFile* partner = doc.Find(CoCrossPartner(file.path));
    if (!partner || partner == &file) {
        if (notifier) {
            const std::string text =
                "LAST ERROR: 交叉极化方向图(" + file.fileName + ")没有找到对应的主极化交叉图，故没有极化。";
            notifier->Status(text);
            Log("%s", text.c_str());
        }
        return 0.0;
    }
    return UsableLevel(MarkerPoint(*partner, MarkerKind::Max).fMag);
}

const CurveFile* EnvelopeFor(const CQuadrelDoc& doc, const PatternFile& file) {
    const std::string plane = Plane(file);
    if (plane != "e" && plane != "h") return nullptr;
    const std::string kind = plane == "e" ? "v-plane" : "h-plane";
    const std::string crossKind = kind + " xpd";
    const bool cross = IsCrossPolar(file);
    for (const auto& [key, curve] : doc.envelopes) {
        const std::string name = ToLower(curve.fileName);
        // "v-plane" is part of "v-plane xpd": a co-polar cut must not take the cross-polar curve.
        if (cross ? Contains(name, crossKind) : Contains(name, kind) && !Contains(name, crossKind))
            return &curve;
    }
    return nullptr;
}

PlotScene BuildPlotScene(const CQuadrelDoc& doc, const PlotState& state, Notifier* notifier) {
    PlotScene scene;
    scene.coordinateSystem = state.settings.coordinateSystem;
    scene.block = ApplyDrawSettings(state.settings);
    const int system = scene.coordinateSystem;
    const bool relative = state.settings.relativeDisplay != 0;
    std::set<const CurveFile*> envelopesShown;

    int colorIndex = 1;
    for (const std::string& path : doc.selectionList) {
        const PatternFile* file = doc.Find(path);
        if (!file) continue;
        const Cut& cut = DrawnSamples(*file);
        const double reference = ReferenceLevel(doc, *file, relative, notifier);
        const Rgb color = state.colors.LineColorFor(colorIndex);
        const std::string name = file->fileName.substr(0, file->fileName.rfind('.'));
        scene.legend.push_back({name, color});
        if (Plane(*file) == "msi" && cut.size() > kMsiHorizontalSamples) {
            scene.legend.back().name += " (h)";
            scene.legend.push_back({name + " (v)", state.colors.LineColorFor(colorIndex + 1)});
        }
        if (Plane(*file) == "msi") {
            const size_t split = std::min(kMsiHorizontalSamples, cut.size());
            MapRun(cut, 0, split, reference, system, scene.block, color, scene.patterns);
            ++colorIndex;
            if (split < cut.size())
                MapRun(cut, split, cut.size(), reference, system, scene.block,
                       state.colors.LineColorFor(colorIndex), scene.patterns);
        } else {
            MapRun(cut, 0, cut.size(), reference, system, scene.block, color, scene.patterns);
        }
        ++colorIndex;

        if (!state.settings.envelopeDisplay) continue;
        const CurveFile* envelope = EnvelopeFor(doc, *file);
        if (!envelope || !envelopesShown.insert(envelope).second) continue;
        const Rgb envelopeColor = Plane(*file) == "e" ? kVerticalEnvelopeColor : kHorizontalEnvelopeColor;
        // Envelope levels are given against the peak; they are drawn as they are.
        MapRun(envelope->points, 0, envelope->points.size(), 0.0, system, scene.block, envelopeColor,
               scene.envelopes);
    }

    if (state.settings.sprDisplay) {
        for (const std::string& path : doc.selectionList) {
            const PatternFile* file = doc.Find(path);
            if (file && Plane(*file) == "h" && !IsCrossPolar(*file) &&
                ToLower(file->names[kFieldComponent]) == "co")
                AddSector(doc, *file, state, scene);
        }
    }

    if (const PatternFile* first = FirstSelectedPattern(doc)) {
        const double reference = ReferenceLevel(doc, *first, relative, nullptr);
        for (const auto& [name, point] : state.markers.points) {
            if (!MarkerSwitchedOn(state.markerSwitches, name)) continue;
            const PatternPoint shown = DisplayedMarkerPoint(*first, name, point);
            if (shown.fAngle == NOT_SET || shown.fMag == NOT_SET) continue;
            scene.markers.push_back(
                {name, MapSample(system, shown.fAngle, shown.fMag, reference, scene.block), shown});
        }
    }
    return scene;
}
