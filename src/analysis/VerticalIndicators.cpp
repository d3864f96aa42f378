#include "analysis/VerticalIndicators.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/Primitives.h"
#include "analysis/VerticalSectors.h"
#include "analysis/VerticalSideLobes.h"
#include "analysis/VerticalWalk.h"
#include "app/TextUtil.h"
#include "document/QuadrelDoc.h"

namespace {

float BeamWidth(const Cut& cut, IndicatorResult& r, const NameFields& names, double dropDb) {
    const auto [left, right] = BeamEdges(cut, r, names, dropDb);
    if (left == 0.0 && right == 0.0) return NOT_SET;
    return static_cast<float>(std::fabs(left - right));
}

// A beam-peak direction turned by half a turn comes out near +-180 minus the tilt; folding it back
// reports the tilt error of the beam itself.
float FoldTiltError(double error) {
    if (error > -180.0 && error < -160.0) error += 180.0;
    if (error > 160.0 && error < 180.0) error -= 180.0;
    return static_cast<float>(error);
}

// Percentages of the cut's power from a start angle to 90 degrees ("VBR"), trapezoidal over each
// region with the samples on a region's edges halved.
class PowerRatios {
    static constexpr double kPowerPerDb = 0.23025850929940458; // ln(10) / 10: 10^(L/10) = e^(L * this)

  public:
    explicit PowerRatios(const Cut& cut) : m_cut(cut) {
        m_power.reserve(cut.size());
        for (const PatternPoint& p : cut) m_power.push_back(std::exp(p.fMag * kPowerPerDb));
        m_values.reserve(cut.size());
    }

    float From(double start) {
        const double above = Region(-180.0, start);
        const double below = Region(90.0, 180.0);
        const double inside = Region(start, 90.0);
        const double total = above + below + inside;
        // A cut with no power in any region has no ratio (0/0).
        if (!(total > 0.0) || !std::isfinite(total)) return NOT_SET;
        return static_cast<float>(inside * 100.0 / total);
    }

  private:
    double Region(double low, double high) {
        m_values.clear();
        // The cut is in ascending angle order: the region is one run of samples.
        const auto first = std::lower_bound(m_cut.begin(), m_cut.end(), low,
                                            [](const PatternPoint& p, double a) { return p.fAngle < a; });
        for (size_t i = static_cast<size_t>(first - m_cut.begin()); i < m_cut.size(); ++i) {
            const double angle = m_cut[i].fAngle;
            if (angle > high) break;
            m_values.push_back(angle == low || angle == high ? m_power[i] / 2.0 : m_power[i]);
        }
        return IntegratePower(m_values, low, high);
    }

    const Cut& m_cut;
    std::vector<double> m_power;
    std::vector<double> m_values;
};

// The upper 10 dB point on the sample grid: the last sample below the peak angle whose level is under
// peak - 10 dB while the next one is above it; 0 when there is none.
double UpperTenDbAngle(const Cut& cut, const PatternPoint& peak) {
    const double threshold = static_cast<double>(peak.fMag) - 10.0;
    double angle = 0.0;
    for (size_t i = 0; i + 1 < cut.size(); ++i)
        if (cut[i].fMag < threshold && cut[i + 1].fMag > threshold && cut[i].fAngle < peak.fAngle)
            angle = cut[i].fAngle;
    return angle;
}

} // namespace

void RunVerticalCoPolarIndicators(const CQuadrelDoc& doc, const PatternFile& file, const Cut& cut,
                                  IndicatorResult& r) {
    const NameFields& names = file.names;
    const double tilt = ParseLeadingDouble(names[kFieldTilt]);
    if (cut.empty()) {
        r.EDE = FoldTiltError(r.EDE);
        return;
    }
    const VPara& settings = doc.Vpara;

    r.VBW3 = BeamWidth(cut, r, names, 3.0);
    r.VBWX = BeamWidth(cut, r, names, settings.VBW_xdb);

    // The beam-edge search may have looked at the cut turned round; the peak is taken afresh.
    const MaxMin extremes = FindMaxMin(cut);
    r.Vmax = extremes.max;
    r.Vmin = extremes.min;
    const PatternPoint vertex = ParabolicPeak(cut, r.Vmax.fAngle, r.Vmax.fMag);
    r.VBP = vertex.fAngle;

    PowerRatios ratios(cut);
    r.VBRr = ratios.From(r.Vmax.fAngle);
    r.VBRu = ratios.From(static_cast<double>(r.Vmax.fAngle) - 5.6);
    r.VBR10 = ratios.From(UpperTenDbAngle(cut, r.Vmax));

    r.EDE = FoldTiltError(static_cast<double>(vertex.fAngle) - tilt);

    VerticalPass pass{cut, r, settings, FirstMaximumIndex(cut)};
    const IndicatorSelection& shown = doc.selection;
    if (shown.IsSelected("cm_isSelFSU")) RunFirstUpperSideLobe(pass);
    RunFirstLowerSideLobe(pass);
    RunNullLow(pass);
    RunNullFill(pass);
    RunFirstNull(pass);
    if (shown.IsSelected("cm_isSelSS")) RunSectorSuppression(doc, file, pass);
    if (shown.IsSelected("cm_isSelSSU")) RunSecondUpperSideLobe(pass);
    if (shown.IsSelected("cm_isSelTSU")) RunThirdUpperSideLobe(pass);
}
