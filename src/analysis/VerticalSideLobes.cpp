#include "analysis/VerticalSideLobes.h"

#include <cmath>
#include <limits>
#include <optional>

#include "analysis/VerticalWalk.h"
#include "app/Log.h"

namespace {

constexpr double kLobeWindow = 40.0;     // degrees from the peak (descent) or from the null (climb)
constexpr double kFirstNullDepth = 15.0; // a first null lies at least this far below the peak
constexpr double kNullRise = 0.1;        // a smaller rise on the way down is noise, not the null
constexpr double kTopFall = 0.05;        // a smaller fall on the way up is noise, not the top
constexpr double kNearFarLimit = 30.0;   // envelope decision: lobes beyond +-30 degrees are far
constexpr double kNoWindow = std::numeric_limits<double>::infinity();

PatternPoint Suppression(const IndicatorResult& r, const PatternPoint& top) {
    return {top.fAngle, static_cast<float>(std::fabs(static_cast<double>(r.Vmax.fMag) - top.fMag))};
}

bool NotFallingMuch(const PatternPoint& current, const PatternPoint& next) {
    return -StepRise(current, next) <= kTopFall;
}

struct LobeSearch {
    WalkEnd end;
    size_t top;
};

// Descend from `start` while the level stays above `floor` or only rises by noise; the sample before
// the first real rise is the null. Then climb from the null, within 40 degrees of it, while
// `keepClimbing` holds; the sample where it stops is the lobe top.
template <class Climb>
LobeSearch FindLobe(const Cut& cut, size_t start, WalkDirection direction, double descentReference,
                    double descentWindow, double floor, Climb keepClimbing) {
    const WalkResult toNull =
        WalkWhile(cut, start, direction, descentReference, descentWindow,
                  [floor](const PatternPoint& current, const PatternPoint& next) {
                      return current.fMag > floor || StepRise(current, next) <= kNullRise;
                  });
    if (toNull.end != WalkEnd::Found) return {toNull.end, toNull.index};
    const WalkResult toTop = WalkWhile(cut, toNull.index, direction, WalkAngle(cut, toNull), kLobeWindow,
                                       keepClimbing, toNull.turns);
    return {toTop.end, toTop.index};
}

std::optional<size_t> FirstSampleAt(const Cut& cut, float angle) {
    for (size_t i = 0; i < cut.size(); ++i)
        if (cut[i].fAngle == angle) return i;
    return std::nullopt;
}

void RunStandardFsu(VerticalPass& pass) {
    const IndicatorResult& r = pass.r;
    const LobeSearch lobe = FindLobe(pass.cut, pass.peak, WalkDirection::Upper, r.Vmax.fAngle, kLobeWindow,
                                     static_cast<double>(r.Vmax.fMag) - kFirstNullDepth, NotFallingMuch);
    // A walk that runs off the start of the cut found nothing and leaves the old values.
    if (lobe.end == WalkEnd::EndOfCut) return;
    if (lobe.end == WalkEnd::LeftWindow) {
        pass.r.FSU = PatternPoint{NOT_SET, NOT_SET};
        return;
    }
    pass.r.FSUlobe = pass.cut[lobe.top];
    pass.r.FSU = Suppression(r, pass.cut[lobe.top]);
}

// One side of the envelope search: the null (first rise above `maxDescentRise`) and the lobe top,
// both within `limit` degrees of the peak. Angles not found stay NOT_SET.
struct EnvelopeSide {
    double nullAngle = NOT_SET;
    double lobeAngle = NOT_SET;
    std::optional<size_t> lobe;
};

EnvelopeSide SearchEnvelopeSide(const VerticalPass& pass, WalkDirection direction, double limit,
                                double maxDescentRise) {
    EnvelopeSide side;
    const double reference = pass.r.Vmax.fAngle;
    const WalkResult toNull =
        WalkWhile(pass.cut, pass.peak, direction, reference, limit,
                  [maxDescentRise](const PatternPoint& current, const PatternPoint& next) {
                      return StepRise(current, next) <= maxDescentRise;
                  });
    if (toNull.end != WalkEnd::Found) return side;
    side.nullAngle = WalkAngle(pass.cut, toNull);
    const WalkResult toTop =
        WalkWhile(pass.cut, toNull.index, direction, reference, limit, NotFallingMuch, toNull.turns);
    if (toTop.end != WalkEnd::Found) return side;
    side.lobeAngle = WalkAngle(pass.cut, toTop);
    side.lobe = toTop.index;
    return side;
}

// A far or missing upper lobe is replaced by the lower lobe mirrored, because the upper side of a
// tilted beam is what interferes with neighbouring cells and must not be under-reported.
void ApplyEnvelopeDecision(VerticalPass& pass) {
    const VPara& v = pass.settings;
    const Cut& cut = pass.cut;
    const EnvelopeSide upper = SearchEnvelopeSide(pass, WalkDirection::Upper, std::fabs(v.FSU_env), 0.0);
    const EnvelopeSide lower =
        SearchEnvelopeSide(pass, WalkDirection::Lower, std::fabs(v.FSD_env), kNullRise);
    const double peak = pass.r.Vmax.fAngle;
    const double au = upper.lobeAngle;
    const double ad = lower.lobeAngle;

    std::optional<size_t> chosen;
    bool failed = false;
    if (au >= -kNearFarLimit && ad <= kNearFarLimit) {
        if (std::fabs(peak - au) > std::fabs(peak - ad) + v.Env_range &&
            std::fabs(peak - upper.nullAngle) > std::fabs(peak - ad)) {
            chosen = FirstSampleAt(cut, static_cast<float>(-std::fabs(2.0 * peak - ad)));
        } else {
            chosen = upper.lobe;
        }
    } else if (au < -kNearFarLimit && ad <= kNearFarLimit) {
        if (!lower.lobe) {
            // Neither lobe was found: mirroring the missing lower lobe would read the last sample of
            // the cut (angle below 999), so this is the same failure as two far lobes.
            failed = true;
        } else {
            const double below = -ad + 0.001;
            for (size_t i = 0; i < cut.size() && cut[i].fAngle < below; ++i) chosen = i;
        }
    } else if (au > -kNearFarLimit && ad > kNearFarLimit) {
        chosen = upper.lobe;
    } else if (au < -kNearFarLimit && ad > kNearFarLimit) {
        failed = true;
    }

    if (failed) Log("FSU Error! \r\n");
    if (!chosen) return;
    pass.r.FSUlobe = cut[*chosen];
    pass.r.FSU = Suppression(pass.r, cut[*chosen]);
}

} // namespace

void RunFirstUpperSideLobe(VerticalPass& pass) {
    if (pass.fsuDone) return;
    pass.fsuDone = true;
    RunStandardFsu(pass);
    if (pass.settings.FSU_envcal != 0) ApplyEnvelopeDecision(pass);
}

void RunFirstLowerSideLobe(VerticalPass& pass) {
    const IndicatorResult& r = pass.r;
    const LobeSearch lobe = FindLobe(pass.cut, pass.peak, WalkDirection::Lower, r.Vmax.fAngle, kLobeWindow,
                                     static_cast<double>(r.Vmax.fMag) - kFirstNullDepth,
                                     [](const PatternPoint& current, const PatternPoint& next) {
                                         return StepRise(current, next) >= kTopFall;
                                     });
    if (lobe.end == WalkEnd::EndOfCut) return;
    if (lobe.end == WalkEnd::LeftWindow) {
        pass.r.FSD = PatternPoint{NOT_SET, NOT_SET};
        return;
    }
    pass.r.FSD = Suppression(r, pass.cut[lobe.top]);
}

namespace {
// The sample before the first rise larger than `maxRise`, within 40 degrees of the peak.
std::optional<size_t> FindNull(const VerticalPass& pass, WalkDirection direction, double maxRise) {
    const WalkResult walk = WalkWhile(pass.cut, pass.peak, direction, pass.r.Vmax.fAngle, kLobeWindow,
                                      [maxRise](const PatternPoint& current, const PatternPoint& next) {
                                          return StepRise(current, next) <= maxRise;
                                      });
    if (walk.end != WalkEnd::Found) return std::nullopt;
    return walk.index;
}
constexpr double kNullSearchRise = 0.25;
} // namespace

void RunNullLow(VerticalPass& pass) {
    const auto null = FindNull(pass, WalkDirection::Lower, kNullSearchRise);
    pass.r.NullLow = null ? pass.cut[*null].fAngle : NOT_SET;
}

void RunNullFill(VerticalPass& pass) {
    const auto null = FindNull(pass, WalkDirection::Lower, 0.0);
    pass.r.NF = null ? Suppression(pass.r, pass.cut[*null]).fMag : NOT_SET;
}

void RunFirstNull(VerticalPass& pass) {
    const auto null = FindNull(pass, WalkDirection::Upper, kNullSearchRise);
    pass.r.FN = null ? pass.cut[*null].fAngle : NOT_SET;
}

namespace {
// The next upper lobe beyond the lobe at `from`. The floor is the stored suppression of that lobe
// minus 3, compared with levels as they are: on relative cuts it never holds, so the descent runs
// into the next real rise.
void FindNextUpperLobe(VerticalPass& pass, const PatternPoint& from, PatternPoint& into) {
    const auto start = FirstSampleAt(pass.cut, from.fAngle);
    if (!start) return;
    const LobeSearch lobe = FindLobe(pass.cut, *start, WalkDirection::Upper, from.fAngle, kNoWindow,
                                     static_cast<double>(from.fMag) - 3.0, NotFallingMuch);
    if (lobe.end != WalkEnd::Found) return;
    into = Suppression(pass.r, pass.cut[lobe.top]);
}
} // namespace

void RunSecondUpperSideLobe(VerticalPass& pass) {
    RunFirstUpperSideLobe(pass);
    if (pass.ssuDone) return;
    pass.ssuDone = true;
    // Starts at the FSU lobe's angle but takes the floor from the stored suppression value.
    FindNextUpperLobe(pass, PatternPoint{pass.r.FSUlobe.fAngle, pass.r.FSU.fMag}, pass.r.SSU);
}

void RunThirdUpperSideLobe(VerticalPass& pass) {
    RunSecondUpperSideLobe(pass);
    FindNextUpperLobe(pass, pass.r.SSU, pass.r.TSU);
}
