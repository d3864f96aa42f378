#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "document/QuadrelDoc.h"
#include "plot/PlotScene.h"
#include "plot/Screenshot.h"
#include "support/TestSupport.h"

namespace {
// A cut stored as measurement files store it: 0 to 180, then -179.5 to -0.5.
Cut StoredCut(double peakAngle, double peakLevel) {
    Cut cut;
    for (int i = 0; i < 720; ++i) {
        double a = i * 0.5;
        if (a > 180) a -= 360;
        double d = std::abs(a - peakAngle);
        if (d > 180) d = 360 - d;
        cut.push_back({static_cast<float>(a), static_cast<float>(peakLevel - d / 6.0)});
    }
    return cut;
}

PatternFile& AddFile(CQuadrelDoc& doc, const std::string& path, const std::string& plane,
                     const std::string& comp, Cut cut, const std::string& pol = "p45") {
    PatternFile& f = doc.table[PatternKey(path)];
    f.key = PatternKey(path);
    f.path = path;
    f.fileName = path.substr(path.rfind('/') + 1);
    f.names[kFieldPolarisation] = pol;
    f.names[kFieldPlane] = plane;
    f.names[kFieldComponent] = comp;
    f.samples = std::move(cut);
    return f;
}

TEST(PlotScene, SelectedPatternsTakeLineColoursOneTwoThreeAndMissingFilesAreSkipped) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddFile(doc, "/m/p1_p45_h_co_2_0_1.msi", "h", "co", StoredCut(0, 0));
    AddFile(doc, "/m/p1_p45_h_co_2_0_2.msi", "h", "co", StoredCut(0, 0));
    AddFile(doc, "/m/p1_p45_h_co_2_0_3.msi", "h", "co", StoredCut(0, 0));
    doc.selectionList = {"/m/p1_p45_h_co_2_0_1.msi", "/m/gone.msi", "/m/p1_p45_h_co_2_0_2.msi",
                         "/m/p1_p45_h_co_2_0_3.msi"};
    PlotState state;
    const PlotScene scene = BuildPlotScene(doc, state, nullptr);
    ASSERT_EQ(scene.patterns.size(), 3u);
    EXPECT_EQ(scene.patterns[0].color, (Rgb{0, 0, 255}));
    EXPECT_EQ(scene.patterns[1].color, (Rgb{255, 0, 0}));
    EXPECT_EQ(scene.patterns[2].color, (Rgb{139, 54, 38}));
    EXPECT_EQ(scene.patterns[0].points.size(), 720u); // polar: one open curve in list order
}

TEST(PlotScene, RelativeDisplayPutsTheCoPolarPeakOnTheOuterCircle) {
    RecordingNotifier notifier;
    CQuadrelDoc doc(&notifier);
    PatternFile& co = AddFile(doc, "/m/p1_p45_e_co_2_0_1.msi", "e", "co", StoredCut(10, -2));
    co.results.Vmax = {10, -2};
    PatternFile& cr = AddFile(doc, "/m/p1_p45_e_cr_2_0_1.msi", "e", "cr", StoredCut(10, -22));
    AddFile(doc, "/m/p1_p45_h_cr_2_0_9.msi", "h", "cr", StoredCut(0, -20)); // no co-polar partner
    doc.selectionList = {co.key, cr.key, "/m/p1_p45_h_cr_2_0_9.msi"};
    PlotState state;
    state.settings.relativeDisplay = 1;
    EXPECT_DOUBLE_EQ(ReferenceLevel(doc, co, true, nullptr), -2.0);
    EXPECT_DOUBLE_EQ(ReferenceLevel(doc, cr, true, nullptr), -2.0);
    const PlotScene scene = BuildPlotScene(doc, state, &notifier);
    // The peak sample (10 degrees, index 20) lies on radius R = 3000.
    const LogicalPoint peak = scene.patterns[0].points[20];
    EXPECT_NEAR(std::hypot(peak.x, peak.y), 3000, 1);
    ASSERT_EQ(notifier.statuses.size(), 1u);
    EXPECT_NE(notifier.statuses[0].find("p1_p45_h_cr_2_0_9.msi"), std::string::npos);
    EXPECT_EQ(notifier.statuses[0].rfind("LAST ERROR: 交叉极化方向图(", 0), 0u);
}

TEST(PlotScene, CartesianCurvesBreakAtTheSeamInsteadOfCrossingThePlot) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddFile(doc, "/m/p1_p45_h_co_2_0_1.msi", "h", "co", StoredCut(0, 0));
    doc.selectionList = {"/m/p1_p45_h_co_2_0_1.msi"};
    PlotState state;
    state.settings.coordinateSystem = kCartesianSystem;
    const PlotScene scene = BuildPlotScene(doc, state, nullptr);
    ASSERT_EQ(scene.patterns.size(), 2u);
    EXPECT_EQ(scene.patterns[0].points.back().x, 1800);
    EXPECT_EQ(scene.patterns[1].points.front().x, -1795);
    EXPECT_EQ(scene.patterns[1].color, scene.patterns[0].color);

    // An ascending curve is joined point to point however wide its gaps.
    doc.envelopes["/e/h-plane.txt"] = {"/e/h-plane.txt", "h-plane.txt", {{-150, -30}, {60, -20}, {180, -30}}};
    state.settings.envelopeDisplay = 1;
    const PlotScene withEnvelope = BuildPlotScene(doc, state, nullptr);
    ASSERT_EQ(withEnvelope.envelopes.size(), 1u);
    EXPECT_EQ(withEnvelope.envelopes[0].points.size(), 3u);
}

TEST(PlotScene, EnvelopeOfTheCutsKindAndSprSector) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddFile(doc, "/m/p1_p45_h_co_2_0_1.msi", "h", "co", StoredCut(0, 0));
    doc.selectionList = {"/m/p1_p45_h_co_2_0_1.msi"};
    // "h-plane xpd" sorts before "h-plane." and contains "h-plane": it must not be taken for co-polar.
    doc.envelopes["/e/h-plane xpd.txt"] = {"/e/h-plane xpd.txt", "h-plane xpd.txt", {{-10, -30}, {10, -30}}};
    doc.envelopes["/e/h-plane.txt"] = {"/e/h-plane.txt", "h-plane.txt", {{-10, 0}, {10, 0}}};
    EXPECT_EQ(EnvelopeFor(doc, *doc.Find("/m/p1_p45_h_co_2_0_1.msi"))->fileName, "h-plane.txt");
    PlotState state;
    state.settings.envelopeDisplay = 1;
    state.settings.sprDisplay = 1;
    const PlotScene scene = BuildPlotScene(doc, state, nullptr);
    ASSERT_EQ(scene.envelopes.size(), 1u);
    EXPECT_EQ(scene.envelopes[0].color, (Rgb{148, 0, 211}));
    ASSERT_EQ(scene.sectors.size(), 1u);
    const SceneSector& sector = scene.sectors[0];
    EXPECT_EQ(sector.width, 36);
    EXPECT_EQ(sector.outline.front(), (LogicalPoint{0, 0}));
    EXPECT_EQ(sector.outline.size(), 2u + 241u); // -60 to +60 in half degrees, in angle order
    EXPECT_LT(sector.outline[1].x, 0);
    EXPECT_GT(sector.outline[sector.outline.size() - 2].x, 0);
}

TEST(Markers, ListFollowsSwitchesAndPlaneAndTurnedCutsShowOnTheCurve) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    PatternFile& v = AddFile(doc, "/m/p1_v90_e_co_2_0_1.msi", "e", "co", StoredCut(170, 0), "v90");
    // The vertical analysis turned this cut: its record holds the turned frame.
    v.results.Vmax = {-10, 0};
    v.results.Vmin = {170, -30};
    v.results.HmaxRaw = {99, 99};
    doc.selectionList = {"/m/missing.msi", v.key};
    MarkerSwitches switches;
    switches.max = switches.min = switches.fsu = true;
    MarkerList list;
    RebuildMarkerList(doc, switches, list);
    ASSERT_EQ(list.points.size(), 3u);
    EXPECT_EQ(list.points["Max"].fAngle, -10.0f); // the record's point, not HmaxRaw
    EXPECT_TRUE(list.dirty);

    PlotState state;
    state.markerSwitches = switches;
    state.markers = list;
    const PlotScene scene = BuildPlotScene(doc, state, nullptr);
    // FSU is NOT_SET and not drawn; Max is shown at 170 degrees, where the drawn curve peaks.
    ASSERT_EQ(scene.markers.size(), 2u);
    EXPECT_EQ(scene.markers[0].name, "Max");
    EXPECT_FLOAT_EQ(scene.markers[0].value.fAngle, 170.0f);
    EXPECT_FLOAT_EQ(scene.markers[1].value.fAngle, -10.0f);

    ToggleMarker(doc, MarkerKind::Max, switches, list); // off
    EXPECT_FALSE(switches.max);
    ClearMarks(switches, list);
    EXPECT_TRUE(switches.clearMarks);
    EXPECT_FALSE(switches.min || switches.fsu || switches.ssMax);
    EXPECT_TRUE(list.points.empty());
    ToggleMarker(doc, MarkerKind::Max, switches, list); // on again clears the clear-marks switch
    EXPECT_TRUE(switches.max);
    EXPECT_FALSE(switches.clearMarks);
    EXPECT_EQ(list.points.count("Max"), 1u);
}

TEST(DrawSettings, LoadStoreAndDefaults) {
    std::map<std::string, std::string> store;
    auto read = [&](std::string_view s, std::string_view k) {
        return store[std::string(s) + "/" + std::string(k)];
    };
    auto write = [&](std::string_view s, std::string_view k, std::string_view v) {
        store[std::string(s) + "/" + std::string(k)] = std::string(v);
        return 1;
    };
    DrawSettings settings = LoadDrawSettings(read); // nothing stored: defaults
    EXPECT_EQ(settings.polar.levelMin, -30);
    EXPECT_EQ(settings.cartesian.levelMin, -50);
    store["IDD_DIALOG_DRAWSETUP/IDC_EDIT_RMEND"] = "-40";
    store["IDD_DIALOG_DRAWSETUP/IDC_EDIT_RMSTART"] = "abc";
    SetCoordinateSystem(write, settings, kCartesianSystem);
    EXPECT_EQ(store["IDD_DIALOG_DRAWSETUP/IDC_LIST1"], "2");
    settings = LoadDrawSettings(read);
    EXPECT_EQ(settings.polar.levelMin, -40);
    EXPECT_EQ(settings.polar.levelMax, 0); // non-numeric text converts to 0
    EXPECT_EQ(settings.coordinateSystem, kCartesianSystem);
    ResetAxisDefaults(write, settings, kPolarSystem);
    EXPECT_EQ(store["IDD_DIALOG_DRAWSETUP/IDC_EDIT_RMEND"], "-30");
    EXPECT_EQ(DrawSettingTitle(kPolarSystem), "Draw setting-Polar Coordinates");
}

TEST(Screenshot, NamesSizesAndBitmapHeader) {
    std::tm t{};
    t.tm_year = 111;
    t.tm_mon = 4;
    t.tm_mday = 4;
    t.tm_hour = 13;
    t.tm_min = 7;
    t.tm_sec = 59;
    EXPECT_EQ(ScreenshotPath("/shots/", t), "/shots/截图2011-05-04-13-07-59.bmp");
    EXPECT_EQ(ScreenshotPath("/shots", t), "/shots/截图2011-05-04-13-07-59.bmp");
    EXPECT_EQ(ScreenshotSavedText("/a.bmp"), "/a.bmp图片保存成功。");

    EXPECT_EQ(CaptureSize(kCaptureWithoutResults, {500, 400}), (PixelSize{496, 396}));
    EXPECT_EQ(CaptureSize(kCaptureStandardWindow1, {500, 400}), (PixelSize{600, 400}));
    EXPECT_EQ(CaptureSize(kCaptureStandardWindow2, {500, 400}), (PixelSize{450, 450}));
    EXPECT_EQ(CaptureSize(kCaptureIncludeResults, {500, 400}, 100, 1920), (PixelSize{1820, 402}));
    EXPECT_EQ(PlotAreaForCapture(kCaptureStandardWindow1, {500, 400}), (PixelSize{600, 400}));

    const std::string bmp = BuildBmpFile(3, 2, 24, std::string(24, '\x7f'));
    ASSERT_EQ(bmp.size(), 54u + 24u); // rows padded from 9 to 12 bytes
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(bmp[at])) | uint32_t(uint8_t(bmp[at + 1])) << 8 |
               uint32_t(uint8_t(bmp[at + 2])) << 16 | uint32_t(uint8_t(bmp[at + 3])) << 24;
    };
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(u32(2), 78u);
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(static_cast<int32_t>(u32(22)), -2); // top-down rows
    EXPECT_EQ(uint8_t(bmp[26]), 1);
    EXPECT_EQ(uint8_t(bmp[28]), 24);
    EXPECT_EQ(u32(30), 0u);
    EXPECT_EQ(u32(34), 24u);

    std::map<std::string, std::string> store;
    auto write = [&](std::string_view, std::string_view k, std::string_view v) {
        store[std::string(k)] = v;
        return 1;
    };
    auto read = [&](std::string_view, std::string_view k) { return store[std::string(k)]; };
    StoreCaptureMode(write, kCaptureStandardWindow2);
    EXPECT_EQ(store["IDC_DataSheetWindow"], "TRUE");
    EXPECT_EQ(store["IDC_RADIO_INCLUDE_INDICATION"], "FALSE");
    EXPECT_EQ(LoadCaptureMode(read), kCaptureStandardWindow2);
}
TEST(DrawSettings, ValuesThatCannotBeDrawnAreRefusedNamingTheField) {
    const struct {
        AxisSettings values;
        std::string problem;
    } cases[] = {
        {DrawSettings::PolarDefaults(), ""},
        {DrawSettings::CartesianDefaults(), ""},
        {{-10, -10, 1, 5, 10, 30}, "Level Min must be below Level Max."},
        {{0, -30, 0, 5, 10, 30}, "Level Grid step must be between 1 and 30 dB."},
        {{0, -30, 10, 40, 10, 30}, "Level Scale Division must be between 1 and 30 dB."},
        {{0, -30, 10, 5, -5, 30}, "Angle Grid Step must be between 1 and 180°."},
        {{0, -30, 10, 5, 10, 0}, "Angle Scale Division must be between 1 and 180°."},
    };
    for (const auto& c : cases) EXPECT_EQ(AxisSettingsProblem(c.values), c.problem) << c.problem;
}
TEST(Screenshot, FolderIsTheChoiceThenTheStoredOneThenTheWorkingFolder) {
    const struct {
        const char* name;
        std::string chosen, stored;
        bool files;
        std::string expected;
    } cases[] = {
        {"chosen in this run", "/shots", "/old", true, "/shots/"},
        {"chosen in an earlier run", "/cfg/", "/old", true, "/old/"},
        {"folder of the first selected cut", "/cfg/", "", true, "/data/antenna/"},
        {"nothing loaded", "/cfg/", "", false, "/home/user/"},
    };
    for (const auto& c : cases) {
        SilentNotifier silent;
        CQuadrelDoc doc(&silent);
        doc.programFolder = "/cfg/";
        doc.screenshotFolder = c.chosen;
        if (c.files) {
            AddFile(doc, "/data/other/p1_p45_h_co_2_0_1.msi", "h", "co", StoredCut(0, 0));
            AddFile(doc, "/data/antenna/p1_p45_h_co_2_0_2.msi", "h", "co", StoredCut(0, 0));
            doc.selectionList = {"/data/antenna/p1_p45_h_co_2_0_2.msi"};
        }
        EXPECT_EQ(ScreenshotFolderFor(doc, c.stored, "/home/user"), c.expected) << c.name;
    }
}
} // namespace
