#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

#include "CampaignTestSupport.h"
#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {

using nlohmann::json;

std::string FileName(const std::string& key) {
    return key.substr(key.rfind('/') + 1);
}
int Frequency(const std::string& key) {
    return ParseLeadingInt(SplitAll(FileName(key), '_')[6]);
}
int Tilt(const std::string& key) {
    return ParseLeadingInt(SplitAll(FileName(key), '_')[4]);
}

// The cut of a generated file in ascending angle order.
std::vector<PatternPoint> AscendingCut(const GeneratedCampaign& campaign, const std::string& key) {
    std::vector<PatternPoint> cut = ParseMsi(ReadFileText(campaign.root + "/" + key)).samples;
    std::sort(cut.begin(), cut.end(), [](auto a, auto b) { return a.fAngle < b.fAngle; });
    return cut;
}

size_t PeakIndex(const std::vector<PatternPoint>& cut) {
    size_t peak = 0;
    for (size_t i = 1; i < cut.size(); ++i)
        if (cut[i].fMag > cut[peak].fMag) peak = i;
    return peak;
}

// Width between the linearly interpolated crossings of peak - x, walking out from the peak.
double MeasuredWidth(const std::vector<PatternPoint>& cut, double x) {
    size_t peak = PeakIndex(cut);
    double threshold = cut[peak].fMag - x;
    double edges[2] = {0, 0};
    for (int side = 0; side < 2; ++side) {
        int dir = side == 0 ? -1 : 1;
        for (size_t i = peak + dir; i < cut.size(); i += dir) {
            if (cut[i].fMag <= threshold) {
                const PatternPoint& in = cut[i - dir];
                double t = (threshold - in.fMag) / (cut[i].fMag - in.fMag);
                edges[side] = in.fAngle + t * (cut[i].fAngle - in.fAngle);
                break;
            }
        }
    }
    return edges[1] - edges[0];
}

double LevelAtAngle(const std::vector<PatternPoint>& cut, double angle) {
    auto it = std::min_element(cut.begin(), cut.end(), [angle](auto a, auto b) {
        return std::abs(a.fAngle - angle) < std::abs(b.fAngle - angle);
    });
    return it->fMag;
}

// The truth ranges of a believable 65-degree panel; each checked over every file of its kind.
TEST(CampaignTruth, ValuesArePhysicallyConsistent) {
    const GeneratedCampaign& campaign = DefaultCampaign();
    int horizontal = 0, vertical = 0, cross = 0;
    for (const auto& [key, t] : campaign.truth["files"].items()) {
        SCOPED_TRACE(key);
        if (Contains(key, "_h_co_")) {
            ++horizontal;
            EXPECT_NEAR(t["HBW3"].get<double>(), 65.0, 5.0);
            EXPECT_GT(t["HBW10"].get<double>(), 1.6 * t["HBW3"].get<double>());
            EXPECT_GE(std::abs(t["Squint"].get<double>()), 0.9);
            EXPECT_LE(std::abs(t["Squint"].get<double>()), 2.1);
            EXPECT_NEAR(t["FBRco"].get<double>(), 28.0, 3.0);
            EXPECT_NEAR(t["Gain"].get<double>(), 17.0, 2.0);
        } else if (Contains(key, "_e_co_")) {
            ++vertical;
            double peak = t["VBP"].get<double>();
            EXPECT_NEAR(peak, Tilt(key), 0.6);
            EXPECT_NEAR(t["EDE"].get<double>(), peak - Tilt(key), 1e-3);
            EXPECT_NEAR(t["VBW3"].get<double>(), 7.0, 1.5);
            // Upper side lobe and null above the beam (smaller angles), lower ones below it.
            ASSERT_TRUE(t["FSU"].is_object());
            EXPECT_LT(t["FSU"]["fAngle"].get<double>(), t["FN"].get<double>());
            EXPECT_LT(t["FN"].get<double>(), peak);
            EXPECT_GT(t["NullLow"].get<double>(), peak);
            EXPECT_GT(t["FSD"]["fAngle"].get<double>(), t["NullLow"].get<double>());
            EXPECT_GE(t["FSU"]["fMag"].get<double>(), 12.0);
            EXPECT_LE(t["FSU"]["fMag"].get<double>(), 20.0);
            EXPECT_GT(t["NF"].get<double>(), 15.0); // filled, yet deep enough to open the first lower lobe
            EXPECT_LT(t["NF"].get<double>(), 25.0);
        } else if (Contains(key, "_h_cr_")) {
            ++cross;
            EXPECT_GE(t["XPD0"].get<double>(), 15.0);
            EXPECT_LE(t["XPD0"].get<double>(), 25.0);
        } else {
            ++cross;
            EXPECT_GE(t["VXPD0"].get<double>(), 15.0);
            EXPECT_LE(t["VXPD0"].get<double>(), 28.0);
        }
    }
    EXPECT_EQ(horizontal, 12);
    EXPECT_EQ(vertical, 12);
    EXPECT_EQ(cross, 24);
}

TEST(CampaignTruth, BeamsNarrowAndGainRisesWithFrequency) {
    const json& files = DefaultCampaign().truth["files"];
    const std::string folder = DefaultCampaign().testFolder + "/";
    for (const char* set : {"p1_p45_h_co_2_0_", "p2_m45_h_co_6_0_"}) {
        double low = files[folder + set + "1710.msi"]["HBW3"],
               high = files[folder + set + "2170.msi"]["HBW3"];
        EXPECT_GT(low, high + 0.5) << set;
        EXPECT_LT(files[folder + set + "1710.msi"]["Gain"].get<double>(),
                  files[folder + set + "2170.msi"]["Gain"].get<double>());
    }
}

// The noisy cuts that were written agree with the truth of the noise-free model: this is what ties
// the angle convention of the files to the one of the truth.
TEST(CampaignTruth, WrittenCutsAgreeWithTruth) {
    const GeneratedCampaign& campaign = DefaultCampaign();
    const json& files = campaign.truth["files"];
    for (const auto& [key, t] : files.items()) {
        SCOPED_TRACE(key);
        std::vector<PatternPoint> cut = AscendingCut(campaign, key);
        if (Contains(key, "_h_co_")) {
            EXPECT_NEAR(MeasuredWidth(cut, 3.0), t["HBW3"].get<double>(), 1.5);
            EXPECT_NEAR(MeasuredWidth(cut, 10.0), t["HBW10"].get<double>(), 1.5);
        } else if (Contains(key, "_e_co_")) {
            double peak = cut[PeakIndex(cut)].fAngle;
            EXPECT_NEAR(peak, t["VBP"].get<double>(), 1.0);
            EXPECT_NEAR(MeasuredWidth(cut, 3.0), t["VBW3"].get<double>(), 0.5);
            // The strongest level between the truth's upper null and 30 degrees above the beam is the
            // first upper side lobe.
            float lobe = -999.0f;
            for (const PatternPoint& p : cut)
                if (p.fAngle > peak - 30.0 && p.fAngle < t["FN"].get<double>()) lobe = std::max(lobe, p.fMag);
            EXPECT_NEAR(-lobe, t["FSU"]["fMag"].get<double>(), 0.5);
        } else {
            // Cross-polar files are relative to their co-polar peak: read the co level at the
            // co-polar peak direction and the cross level there.
            std::string coKey = ReplaceAll(key, "_cr_", "_co_");
            std::vector<PatternPoint> co = AscendingCut(campaign, coKey);
            double direction = Contains(key, "_h_") ? files[coKey]["Squint"].get<double>()
                                                    : files[coKey]["VBP"].get<double>();
            double xpd = LevelAtAngle(co, direction) - LevelAtAngle(cut, direction);
            EXPECT_NEAR(xpd, t.contains("XPD0") ? t["XPD0"].get<double>() : t["VXPD0"].get<double>(), 0.6);
        }
    }
}

// Gain = C0(f) - GL(f) + GV(f), with the curves found as the analysis finds them: C0 by the six
// leading tokens of the pattern name with the plane letter of the chosen plane, GL and GV as the
// "gain level" and "gain value" files whose two numeric name tokens enclose the frequency.
double SubstitutedGain(const std::string& gainFolder, const std::string& patternName, int frequency,
                       bool verticalPlane) {
    std::vector<std::string> tokens = SplitAll(patternName, '_');
    std::string six = tokens[0];
    for (int i = 1; i < 6; ++i) six += "_" + tokens[i];
    six = verticalPlane ? ReplaceAll(six, "_h", "_e") : ReplaceAll(six, "_e", "_h");
    auto value = [frequency](const std::vector<std::pair<double, double>>& curve) {
        for (size_t i = 0; i < curve.size(); ++i) {
            if (std::abs(curve[i].first - frequency) < 0.01) return curve[i].second;
            if (curve[i].first > frequency && i > 0) {
                const auto& a = curve[i - 1];
                return a.second +
                       (frequency - a.first) * (curve[i].second - a.second) / (curve[i].first - a.first);
            }
        }
        return std::nan("");
    };
    double c0 = std::nan(""), gl = std::nan(""), gv = std::nan("");
    for (const std::string& file : RelativeFiles(gainFolder)) {
        std::string text = ReadFileText(gainFolder + "/" + file);
        if (file == "gain level_" + six + ".txt") {
            for (const auto& [f, level] : ParseCurve(text))
                if (std::abs(f - frequency) < 0.01 && std::isnan(c0)) c0 = level;
            continue;
        }
        std::vector<std::string> parts = SplitAll(file.substr(0, file.size() - 4), '_');
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            double a = ParseLeadingDouble(parts[i]), b = ParseLeadingDouble(parts[i + 1]);
            if (parts[i].find_first_not_of("0123456789") != std::string::npos ||
                parts[i + 1].find_first_not_of("0123456789") != std::string::npos ||
                frequency < std::min(a, b) || frequency > std::max(a, b))
                continue;
            if (Contains(file, "gain level")) gl = value(ParseCurve(text));
            if (Contains(file, "gain value")) gv = value(ParseCurve(text));
        }
    }
    return c0 - gl + gv;
}

TEST(CampaignTruth, GainCurvesReproduceTheTrueGainForEitherPlane) {
    const GeneratedCampaign& campaign = DefaultCampaign();
    int checked = 0;
    for (const auto& [key, t] : campaign.truth["files"].items()) {
        if (!Contains(key, "_co_")) continue;
        for (bool verticalPlane : {false, true}) {
            double gain =
                SubstitutedGain(campaign.root + "/Gain Level", FileName(key), Frequency(key), verticalPlane);
            EXPECT_NEAR(gain, t["Gain"].get<double>(), 0.01)
                << key << (verticalPlane ? " vertical" : " horizontal");
            ++checked;
        }
    }
    EXPECT_EQ(checked, 48);
}

TEST(CampaignTruth, EnvelopesHaveAHeaderAndLieInTheVerticalConvention) {
    const GeneratedCampaign& campaign = DefaultCampaign();
    bool vPlane = false;
    for (const std::string& file : RelativeFiles(campaign.root + "/Envelope")) {
        SCOPED_TRACE(file);
        std::string text = ReadFileText(campaign.root + "/Envelope/" + file);
        EXPECT_GT(text.find('\n'), 24u); // the reader drops a first line this long as a header
        auto points = ParseCurve(text);
        ASSERT_GT(points.size(), 10u);
        EXPECT_TRUE(std::is_sorted(points.begin(), points.end()));
        // Above the beam (negative offsets beyond the main beam) the envelope demands at least 15 dB.
        for (const auto& [x, y] : points)
            if (x <= -6.0) { EXPECT_LE(y, -15.0) << x; }
        vPlane = vPlane || EndsWith(file, "v-plane.txt");
    }
    EXPECT_TRUE(vPlane);
}

} // namespace
