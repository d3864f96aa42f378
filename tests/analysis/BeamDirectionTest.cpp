#include <gtest/gtest.h>

#include "support/TestSupport.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "app/TextUtil.h"
#include "commands/Analysis.h"
#include "commands/EditSteps.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"

// Main beams in every direction, across +-180 degrees too: the beamwidths equal a circular
// linear-interpolation width worked out here on its own, and rotating to zero puts the maximum at
// 0 degrees whatever the order of the selection.

namespace {

const std::string kFolder = "/lab/Site_Proj_Model_20240101_B1_S1/";

double Wrap(double angle) {
    return std::remainder(angle, 360.0); // [-180, 180]
}

// A beam whose level falls 3 dB at +-halfWidth from `centre`, measured round the circle.
Cut CircularBeam(double centre, double halfWidth, double step) {
    Cut cut;
    const int count = static_cast<int>(std::lround(360.0 / step));
    for (int i = 0; i < count; ++i) {
        const double angle = 180.0 - (count - 1 - i) * step; // (-180, 180], ascending
        const double u = Wrap(angle - centre) / halfWidth;
        cut.push_back({static_cast<float>(angle), static_cast<float>(std::max(-40.0, -3.0 * u * u))});
    }
    return cut;
}

// The 3 dB width of a cut: samples ordered by their direction relative to the strongest one, the
// first crossing on either side interpolated linearly.
double IndependentWidth(const Cut& cut) {
    const auto top = std::max_element(
        cut.begin(), cut.end(), [](const PatternPoint& a, const PatternPoint& b) { return a.fMag < b.fMag; });
    std::vector<std::pair<double, double>> relative; // (direction from the top, level)
    for (const PatternPoint& p : cut) relative.push_back({Wrap(double(p.fAngle) - top->fAngle), p.fMag});
    std::sort(relative.begin(), relative.end());
    const double threshold = double(top->fMag) - 3.0;
    const auto centre =
        std::find_if(relative.begin(), relative.end(), [](const auto& p) { return p.first == 0.0; });
    auto crossing = [threshold](const std::pair<double, double>& in, const std::pair<double, double>& out) {
        return in.first + (out.first - in.first) * (in.second - threshold) / (in.second - out.second);
    };
    double right = 0.0, left = 0.0;
    for (auto it = centre; it + 1 != relative.end(); ++it)
        if ((it + 1)->second <= threshold) {
            right = crossing(*it, *(it + 1));
            break;
        }
    for (auto it = centre; it != relative.begin(); --it)
        if ((it - 1)->second <= threshold) {
            left = crossing(*it, *(it - 1));
            break;
        }
    return right - left;
}

// How far the nearest sample of the maximum level lies from 0 degrees, round the circle.
double MaximumOffFromZero(const Cut& cut) {
    float top = cut.front().fMag;
    for (const PatternPoint& p : cut) top = std::max(top, p.fMag);
    double nearest = 360.0;
    for (const PatternPoint& p : cut)
        if (p.fMag == top) nearest = std::min(nearest, std::fabs(Wrap(p.fAngle)));
    return nearest;
}

class BeamDirectionTest : public ::testing::Test {
  protected:
    BeamDirectionTest() {
        doc.Hpara.RefLevel_mode = 0;
        doc.Hpara.RefAngle_mode = 0;
    }
    PatternFile& Add(const std::string& fileName, Cut samples) {
        const std::string path = kFolder + fileName;
        PatternFile& file = doc.table[PatternKey(path)];
        file.key = PatternKey(path);
        file.path = path;
        file.fileName = fileName;
        FillFileNameFields(fileName, file.names);
        file.samples = std::move(samples);
        return file;
    }
    RecordingNotifier notifier;
    RecordingListener listener;
    CQuadrelDoc doc{&notifier, &listener};
};

struct Case {
    double centre;
    double step;
};
const Case kCases[] = {{-180.0, 0.5}, {-179.5, 0.5}, {180.0, 0.5}, {179.0, 0.5}, {90.0, 0.5}, {0.0, 0.5},
                       {-180.0, 1.0}, {-179.5, 1.0}, {180.0, 1.0}, {179.0, 1.0}, {90.0, 1.0}, {0.0, 1.0}};

TEST_F(BeamDirectionTest, WidthsEqualACircularWidthInEveryDirection) {
    for (const Case& c : kCases) {
        for (const char plane : {'h', 'e'}) {
            SCOPED_TRACE(testing::Message() << c.centre << " deg, step " << c.step << ", plane " << plane);
            doc.table.clear();
            const double halfWidth = plane == 'h' ? 32.5 : 3.6;
            const std::string name = std::string("p1_p45_") + plane + "_co_0_0_1800.msi";
            PatternFile& file = Add(name, CircularBeam(c.centre, halfWidth, c.step));
            AnalyseFile(doc, file.key);
            const float width = plane == 'h' ? file.results.HBW3 : file.results.VBW3;
            EXPECT_NEAR(width, IndependentWidth(file.samples), 0.01);
        }
    }
}

TEST_F(BeamDirectionTest, RotateToZeroPutsTheMaximumAtZeroWhateverTheSelectionOrder) {
    const std::string co = "p1_p45_e_co_0_0_1800.msi";
    const std::string cr = "p1_p45_e_cr_0_0_1800.msi";
    const std::vector<std::vector<std::string>> orders = {{co, cr}, {co}, {cr, co}};
    for (const Case& c : kCases) {
        for (const char plane : {'h', 'e'}) {
            for (const auto& order : orders) {
                SCOPED_TRACE(testing::Message() << c.centre << " deg, step " << c.step << ", plane " << plane
                                                << ", " << order.size() << " selected, first " << order[0]);
                doc.table.clear();
                doc.rotationHistory = {};
                const double halfWidth = plane == 'h' ? 32.5 : 3.6;
                auto named = [plane](std::string name) {
                    name[7] = plane;
                    return name;
                };
                Add(named(co), CircularBeam(c.centre, halfWidth, c.step));
                Add(named(cr), CircularBeam(c.centre + 30.0, 20.0, c.step));
                doc.selectionList.clear();
                // The files are analysed as they are selected, and rotated twice: the second rotation
                // starts from the directions the first one left.
                for (const std::string& name : order) {
                    doc.selectionList.push_back(kFolder + named(name));
                    AnalyseFile(doc, PatternKey(kFolder + named(name)));
                }
                for (int round = 0; round < 2; ++round) {
                    DataRotate(doc, RotationSettings{RotationSettings::ToZero, 0, 0});
                    const Cut& samples = doc.Find(kFolder + named(co))->samples;
                    EXPECT_LE(MaximumOffFromZero(samples), c.step / 2 + 1e-4) << "round " << round;
                }
            }
        }
    }
}

} // namespace
