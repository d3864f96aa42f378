#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands/Analysis.h"
#include "document/QuadrelDoc.h"
#include "import/PlanningImport.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

// Every real vendor file is imported and analysed, and its beamwidths and front-to-back ratio are
// compared with a computation of its own, straight from the file's rows: a reader that garbles a
// row, or an import that shifts a cut, shows up as a wrong width.
namespace {
struct Cut {
    std::vector<std::pair<double, double>> points; // (angle in (-180, 180], level dB), ascending
};

// Reads the two blocks without the program's reader: any line whose first word is HORIZONTAL or
// VERTICAL starts a block, any line of two numbers is a row of the current block.
bool ReadBlocks(const std::string& path, Cut& horizontal, Cut& vertical) {
    std::string text = ReadFileText(path);
    std::replace(text.begin(), text.end(), '\r', '\n');
    std::istringstream lines(text);
    std::string line;
    Cut* block = nullptr;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) continue;
        if (first == "HORIZONTAL" || first == "VERTICAL") {
            block = first == "HORIZONTAL" ? &horizontal : &vertical;
            continue;
        }
        std::istringstream row(line);
        double angle = 0, attenuation = 0;
        if (block && (row >> angle >> attenuation)) {
            if (angle > 180) angle -= 360;
            if (angle == -180) angle = 180;
            block->points.push_back({angle, -attenuation});
        }
    }
    for (Cut* cut : {&horizontal, &vertical}) {
        std::stable_sort(cut->points.begin(), cut->points.end());
        cut->points.erase(std::unique(cut->points.begin(), cut->points.end(),
                                      [](const auto& a, const auto& b) { return a.first == b.first; }),
                          cut->points.end());
    }
    return !horizontal.points.empty() && !vertical.points.empty();
}

size_t PeakIndex(const Cut& cut) {
    size_t peak = 0;
    for (size_t i = 1; i < cut.points.size(); ++i)
        if (cut.points[i].second > cut.points[peak].second) peak = i;
    return peak;
}

// The 3 dB width by linear interpolation between the rows around each crossing; 0 when a side
// never falls 3 dB.
double Width3dB(const Cut& cut) {
    const auto& p = cut.points;
    const size_t peak = PeakIndex(cut);
    const double threshold = p[peak].second - 3.0;
    auto crossing = [&](size_t outer, size_t inner) {
        const double t = (threshold - p[outer].second) / (p[inner].second - p[outer].second);
        return p[outer].first + t * (p[inner].first - p[outer].first);
    };
    double left = NAN, right = NAN;
    for (size_t i = peak; i-- > 0;)
        if (p[i].second <= threshold) {
            left = crossing(i, i + 1);
            break;
        }
    for (size_t i = peak + 1; i < p.size(); ++i)
        if (p[i].second <= threshold) {
            right = crossing(i, i - 1);
            break;
        }
    return std::isnan(left) || std::isnan(right) ? 0.0 : right - left;
}

double LevelAt(const Cut& cut, double angle) {
    const auto& p = cut.points;
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& next = p[(i + 1) % p.size()];
        const double span = std::remainder(next.first - p[i].first, 360.0);
        const double offset = std::remainder(angle - p[i].first, 360.0);
        if (offset >= 0 && offset <= span) return p[i].second + offset / span * (next.second - p[i].second);
    }
    return NAN;
}

// What bounds the front-to-back ratio: the drop from the peak to the direction opposite it (mean
// direction of equal peaks), which the back window holds, and the drop to the strongest level of
// the whole back half, which holds the window.
void FrontToBackBounds(const Cut& cut, double& atBack, double& toBackHalf) {
    const auto& p = cut.points;
    const double peak = p[PeakIndex(cut)].second;
    double sum = 0;
    int n = 0;
    for (const auto& [angle, level] : p)
        if (level == peak) sum += angle, ++n;
    const double back = sum / n + 180.0;
    double strongest = -1e9;
    for (const auto& [angle, level] : p)
        if (std::fabs(std::remainder(angle - back, 360.0)) <= 90.0) strongest = std::max(strongest, level);
    atBack = peak - LevelAt(cut, back);
    toBackHalf = peak - strongest;
}

struct Measured {
    float hbw3 = NOT_SET, vbw3 = NOT_SET, gain = NOT_SET, fbr = NOT_SET;
};

// Imports one file into its own folder and analyses the two cuts as the program does.
Measured ImportAndAnalyse(const std::string& source, const fs::path& out) {
    RecordingNotifier notifier;
    ImportOptions options;
    options.outFolder = out.string();
    const ImportOutcome outcome = ImportPlanningFiles({source}, options, notifier);
    EXPECT_TRUE(outcome.refused.empty() && outcome.failed.empty()) << source;
    if (outcome.files.size() != 1) return {};
    CQuadrelDoc doc(&notifier);
    EXPECT_EQ(doc.OpenFiles({outcome.files[0].horizontalCut, outcome.files[0].verticalCut}), 0) << source;
    // The cuts the import writes are read by the lab's format rules without a single doubt.
    EXPECT_TRUE(notifier.warnings.empty()) << source << ": " << notifier.warnings.front().second;
    AnalyseAll(doc);
    const PatternFile& h = *doc.Find(outcome.files[0].horizontalCut);
    const PatternFile& e = *doc.Find(outcome.files[0].verticalCut);
    return {h.results.HBW3, e.results.VBW3, h.results.Gain, h.results.FBRco};
}

struct Expected {
    const char* file;
    float gainDbi; // as the header gives it, dBd + 2.15
};

void CheckFile(const std::string& path, float gainDbi, std::ostream* table) {
    TempDir dir;
    Cut horizontal, vertical;
    ASSERT_TRUE(ReadBlocks(path, horizontal, vertical)) << path;
    const Measured m = ImportAndAnalyse(path, dir.Path());
    const double hbw = Width3dB(horizontal), vbw = Width3dB(vertical);
    double atBack = 0, toBackHalf = 0;
    FrontToBackBounds(horizontal, atBack, toBackHalf);
    EXPECT_NEAR(m.hbw3, hbw, 0.1) << path;
    EXPECT_NEAR(m.vbw3, vbw, 0.1) << path;
    EXPECT_LE(m.fbr, atBack + 0.01) << path;
    EXPECT_GE(m.fbr, toBackHalf - 0.01) << path;
    if (gainDbi != NOT_SET) EXPECT_NEAR(m.gain, gainDbi, 1e-4) << path;
    if (table)
        *table << fs::path(path).filename().string() << " | " << m.hbw3 << " | " << hbw << " | " << m.vbw3
               << " | " << vbw << " | " << m.gain << " | " << m.fbr << " | " << atBack << " | " << toBackHalf
               << "\n";
}
} // namespace

TEST(RealPatternImport, CopiedVendorFilesMatchAnIndependentComputation) {
    const Expected cases[] = {
        {"AMB4520R8v06_05T.msi", 19.10f},
        {"AMB4520R8v06_1845_M45_04T_y1.msi", 19.02f},
        {"AMB4520R8v06_1845_M45_04T_y2.msi", 19.09f},
        {"AMB4520R8v06_1845_P45_04T_y1.msi", 18.61f},
        {"AMB4520R8v06_1845_P45_04T_y2.msi", 18.91f},
        {"B800A065-18-0E.pln", 15.75f},
        {"B800A065-18-4E.pln", 15.75f},
        {"LTE-L_1960MHz_P1.txt", 3.43f},
        {"LTE-R_1960MHz_P1.txt", 3.31f},
        {"SV460-SF2SNM_0890_00T.msi", 17.15f},
        {"SV460-SF2SNM_0920_00T.msi", 17.15f},
        {"SV460-SF2SNM_0940_00T.msi", 17.15f},
        {"SV460-SF2SNM_0960_00T.msi", 17.15f},
        {"80010465_0791_x_co.msi", 5.25f},
    };
    for (const Expected& c : cases)
        CheckFile(std::string(QUADREL_TEST_DATA_DIR) + "/real/" + c.file, c.gainDbi, nullptr);
}

// The rest of the shared set is not ours to copy; it is read where CI puts it, beside the clone.
TEST(RealPatternImport, WholeSharedSetBesideTheClone) {
    fs::path shared = fs::path(QUADREL_SOURCE_DIR) / ".." / "shared" / "data" / "real-patterns";
    if (const char* elsewhere = std::getenv("QUADREL_REAL_PATTERNS")) shared = elsewhere;
    if (!fs::is_directory(shared)) GTEST_SKIP() << "no shared set at " << shared;
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(shared))
        if (entry.is_regular_file() && entry.path().filename() != "SOURCES.md")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files.size(), 27u);
    std::ostringstream table;
    for (const std::string& file : files) {
        CheckFile(file, NOT_SET, &table);
        // Read as a measured cut instead, a two-cut file is loaded, but never without a word.
        if (fs::path(file).extension() != ".msi") continue;
        TempDir dir;
        RecordingNotifier notifier;
        CQuadrelDoc doc(&notifier);
        const std::string copy =
            dir.Write("Lab_P_M_20260101_B1_SN1/" + fs::path(file).filename().string(), ReadFileText(file));
        EXPECT_EQ(doc.LoadPatternFile(copy), 0) << file;
        EXPECT_FALSE(notifier.warnings.empty()) << file;
    }
    if (const char* out = std::getenv("QUADREL_REAL_TABLE")) std::ofstream(out) << table.str();
}
