#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <cmath>

#include "document/QuadrelDoc.h"
#include "render/OffscreenApp.h"
#include "render/PlotCapture.h"
#include "render/PlotLayer.h"
#include "render/PlotLegend.h"
#include "render/PlotPage.h"
#include "render/PlotRenderer.h"
#include "support/ImageCompare.h"
#include "support/TestSupport.h"

namespace {
class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { m_app = EnsureGuiApplication(); }
    void TearDown() override { m_app.reset(); }

  private:
    std::unique_ptr<QGuiApplication> m_app;
};
const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// A horizontal co-polar cut at one level over [from, to] degrees, half-degree steps.
void AddFlatCut(CQuadrelDoc& doc, const std::string& path, float level, double from = -179.5,
                double to = 180) {
    PatternFile& f = doc.table[PatternKey(path)];
    f.key = PatternKey(path);
    f.path = path;
    f.fileName = path.substr(path.rfind('/') + 1);
    f.names[kFieldPlane] = "h";
    f.names[kFieldComponent] = "co";
    for (double a = from; a <= to; a += 0.5) f.samples.push_back({static_cast<float>(a), level});
    f.results.HmaxRaw = {0, level};
    doc.selectionList.push_back(f.key);
}

Rgb PixelAt(const QImage& image, double x, double y) {
    const QColor c = image.pixelColor(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    return {static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue())};
}

// True when a pixel of `color` lies within `reach` pixels of (x, y).
bool ColorNear(const QImage& image, double x, double y, Rgb color, int reach = 1) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (PixelAt(image, x + dx, y + dy) == color) return true;
    return false;
}

PlotState DefaultState() {
    PlotState state;
    state.colors.coordinates = {0, 0, 0};
    state.colors.grid = {200, 200, 200};
    return state;
}

TEST(PolarRender, PatternsSitOnTheirLevelCirclesInLineColoursOneTwoThree) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddFlatCut(doc, "/m/a_h_co.msi", -7);
    AddFlatCut(doc, "/m/b_h_co.msi", -12);
    AddFlatCut(doc, "/m/c_h_co.msi", -17);
    const PlotState state = DefaultState();
    const QImage image = RenderPlotImage(QSize(800, 800), doc, state);
    const double c = 320, cx = 80 + c, cy = 80 + c; // -30 dB at the centre, 0 dB at radius c
    const Rgb expected[] = {{0, 0, 255}, {255, 0, 0}, {139, 54, 38}};
    const double levels[] = {-7, -12, -17};
    for (int i = 0; i < 3; ++i) {
        const double r = (levels[i] + 30) / 30 * c;
        // At 45 degrees (upper right) and at 250 degrees on the screen.
        EXPECT_TRUE(ColorNear(image, cx + r * std::sin(M_PI / 4), cy - r * std::cos(M_PI / 4), expected[i]))
            << i;
        EXPECT_TRUE(ColorNear(image, cx + r * std::sin(-110 * M_PI / 180),
                              cy - r * std::cos(-110 * M_PI / 180), expected[i]))
            << i;
    }
    // Grid: the vertical diameter between two circles; the outer circle in the frame colour.
    EXPECT_EQ(PixelAt(image, cx, cy - 0.25 * c), (Rgb{200, 200, 200}));
    EXPECT_EQ(PixelAt(image, cx, 80), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(image, 80, cy), (Rgb{0, 0, 0}));
}

bool AnyPixelOf(const QImage& image, QRect box, Rgb color) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (PixelAt(image, x, y) == color) return true;
    return false;
}

TEST(PolarRender, RelativePeakOnTheOuterCircleWithReferenceCircleAndLabels) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddFlatCut(doc, "/m/a_h_co.msi", -2, -60, 60);
    PlotState state = DefaultState();
    state.settings.relativeDisplay = 1;
    state.settings.reference3dB = 1;
    const QImage image = RenderPlotImage(QSize(800, 800), doc, state);
    const double c = 320, cx = 400, cy = 400;
    EXPECT_EQ(PixelAt(image, cx, cy - c), (Rgb{0, 0, 255}));
    // Without relative display the same cut lies 2 dB inside.
    state.settings.relativeDisplay = 0;
    const QImage absolute = RenderPlotImage(QSize(800, 800), doc, state);
    EXPECT_TRUE(ColorNear(absolute, cx, cy - 28.0 / 30 * c, {0, 0, 255}));
    // The dotted 3 dB circle somewhere along its lower arc, where no pattern is.
    const double r3 = 27.0 / 30 * c;
    bool dotted = false;
    for (int deg = 150; deg <= 210 && !dotted; ++deg)
        dotted = ColorNear(image, cx + r3 * std::sin(deg * M_PI / 180), cy - r3 * std::cos(deg * M_PI / 180),
                           {200, 0, 200});
    EXPECT_TRUE(dotted);
    // Labels: text in the frame colour above the top, right of the right end, below the bottom.
    EXPECT_TRUE(AnyPixelOf(image, QRect(int(cx) - 15, 80 - 35, 30, 26), {0, 0, 0}));
    EXPECT_TRUE(AnyPixelOf(image, QRect(int(cx + c) + 6, int(cy) - 10, 40, 20), {0, 0, 0}));
    EXPECT_TRUE(AnyPixelOf(image, QRect(int(cx) - 20, int(cy + c) + 6, 40, 26), {0, 0, 0}));
}

TEST(CartesianRender, CurveGridAndReferenceLineWhereTheMappingPutsThem) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddFlatCut(doc, "/m/a_h_co.msi", -20);
    PlotState state = DefaultState();
    state.settings.coordinateSystem = kCartesianSystem;
    state.settings.reference3dB = 1;
    const QImage image = RenderPlotImage(QSize(1000, 800), doc, state);
    const PlotMapping m = CartesianMapping(1000, 800, ApplyDrawSettings(state.settings));
    EXPECT_EQ(PixelAt(image, m.ToDeviceX(450), m.ToDeviceY(-2000)), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(image, m.ToDeviceX(-1450), m.ToDeviceY(-2000)), (Rgb{0, 0, 255}));
    // A vertical grid line at 30 degrees, between horizontal grid lines.
    EXPECT_EQ(PixelAt(image, m.ToDeviceX(300), m.ToDeviceY(-3550)), (Rgb{200, 200, 200}));
    bool dotted = false;
    for (int x = 100; x < 200 && !dotted; ++x)
        dotted = PixelAt(image, x, m.ToDeviceY(-300)) == Rgb{200, 0, 200};
    EXPECT_TRUE(dotted);
    // Frame corner and angle labels under the bottom axis.
    EXPECT_EQ(PixelAt(image, 30, 775), (Rgb{0, 0, 0}));
    EXPECT_TRUE(AnyPixelOf(image, QRect(int(m.ToDeviceX(0)) - 12, 778, 24, 20), {0, 0, 0}));
}

TEST(PolarRender, SprSectorIsTranslucentUnderTheCurve) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    doc.Hpara.SPR_xdeg = 60;
    AddFlatCut(doc, "/m/a_h_co.msi", -10);
    PlotState state = DefaultState();
    state.settings.sprDisplay = 1;
    const QImage image = RenderPlotImage(QSize(800, 800), doc, state);
    const double c = 320, cx = 400, cy = 400, r = 20.0 / 30 * c;
    // Inside the sector between grid lines: shaded, neither black nor white; the curve over it.
    const QColor inside =
        image.pixelColor(int(cx + 0.5 * r * std::sin(0.2)), int(cy - 0.5 * r * std::cos(0.2)));
    EXPECT_GT(inside.lightness(), 150);
    EXPECT_LT(inside.lightness(), 250);
    EXPECT_TRUE(ColorNear(image, cx + r * std::sin(0.2), cy - r * std::cos(0.2), {0, 0, 255}));
}

// A mark's name goes below right of it unless an axis label is there; then to the next free corner.
TEST(MarkerNames, KeepClearOfAxisLabels) {
    const PlotMapping mapping = CartesianMapping(600, 400, ApplyDrawSettings(DrawSettings{}));
    SceneMarker mark{"Max", {0, -1000}, {0, -10}};
    const QPoint at(static_cast<int>(mapping.ToDeviceX(0)), static_cast<int>(mapping.ToDeviceY(-1000)));
    const QRect belowRight(at + QPoint(10, 8), QSize(120, 14)),
        aboveRight(at + QPoint(10, -24), QSize(120, 14)), belowLeft(at + QPoint(-130, 8), QSize(120, 14));
    const struct {
        std::vector<QRectF> taken;
        QRect expected;
    } cases[] = {{{}, belowRight}, {{belowRight}, aboveRight}, {{belowRight, aboveRight}, belowLeft}};
    for (const auto& c : cases) {
        QImage image(600, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        RenderPlotMarkers(painter, mapping, {mark}, c.taken);
        painter.end();
        EXPECT_TRUE(AnyPixelOf(image, c.expected, {0, 0, 0})) << c.taken.size();
        for (const QRectF& t : c.taken)
            EXPECT_FALSE(AnyPixelOf(image, t.toRect(), {0, 0, 0})) << c.taken.size();
    }
}

TEST(Capture, ModeOneOfA500By400ViewIsA496By396BitmapReadTopDown) {
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddFlatCut(doc, "/m/a_h_co.msi", -10, -30, 30); // an arc near the top only
    const PlotState state = DefaultState();
    TempDir dir;
    const std::string path = (dir.Path() / "截图2011-05-04-13-07-59.bmp").string();
    ASSERT_TRUE(CaptureToFile(path, kCaptureWithoutResults, QSize(500, 400), doc, state));
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(path), "BMP"));
    EXPECT_EQ(image.size(), QSize(496, 396));
    const double c = 396 / 2 - 80, cx = 80 + c, cy = 80 + c;
    EXPECT_TRUE(ColorNear(image, cx, cy - (20.0 / 30) * c, {0, 0, 255}));
    EXPECT_FALSE(ColorNear(image, cx, cy + (20.0 / 30) * c, {0, 0, 255}));

    EXPECT_EQ(CaptureImage(kCaptureStandardWindow1, QSize(500, 400), doc, state).size(), QSize(600, 400));
    EXPECT_EQ(CaptureImage(kCaptureStandardWindow2, QSize(500, 400), doc, state).size(), QSize(450, 450));
    EXPECT_FALSE(
        CaptureToFile((dir.Path() / "no/such/folder/x.bmp").string(), 1, QSize(500, 400), doc, state));
}
// Two cuts, the Max marker and the legend, in either coordinate system.
struct ViewCase {
    const char* name;
    int system;
};
const ViewCase kViewCases[] = {{"polar", kPolarSystem}, {"cartesian", kCartesianSystem}};

PlotState LegendState(CQuadrelDoc& doc, int system) {
    AddFlatCut(doc, "/m/QX6518_p45_h_co.msi", -6, -90, 90);
    AddFlatCut(doc, "/m/QX6518_m45_h_co.msi", -14);
    PlotState state = DefaultState();
    state.settings.coordinateSystem = system;
    state.legend = true;
    state.markerSwitches.max = true;
    state.markers.points[MarkerName(MarkerKind::Max)] = {10, -6};
    return state;
}

TEST(PlotLayer, PaintsWhatTheRendererPaints) {
    for (const ViewCase& c : kViewCases) {
        SilentNotifier silent;
        CQuadrelDoc doc(&silent);
        const PlotState state = LegendState(doc, c.system);
        const QSize size(640, 480);
        PlotLayer layer;
        layer.Rebuild(size, 1.0, doc, state, nullptr);
        QImage layered(size, QImage::Format_RGB32);
        QPainter painter(&layered);
        layer.Paint(painter);
        painter.end();
        EXPECT_EQ(DifferingShare(layered, RenderPlotImage(size, doc, state)), 0.0) << c.name;
        EXPECT_TRUE(layer.ValidFor(size, 1.0));
        EXPECT_FALSE(layer.ValidFor(QSize(641, 480), 1.0));
        layer.Invalidate();
        EXPECT_FALSE(layer.ValidFor(size, 1.0));
    }
}

// A printed page rasterised at the resolution that makes its plot the view's size again matches the
// view's picture; the title sits above the plot.
TEST(PlotPage, PdfPageShowsTheViewScaledWithTitleAndLegend) {
    for (const ViewCase& c : kViewCases) {
        SilentNotifier silent;
        CQuadrelDoc doc(&silent);
        const PlotState state = LegendState(doc, c.system);
        const QSize view(600, 450);
        TempDir dir;
        const QString pdf = QString::fromStdString((dir.Path() / "page.pdf").string());
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        QPainter painter(&writer);
        const QRect placed = PaintPlotPage(painter, painter.viewport(), view, doc, state, "QX6518 title");
        painter.end();
        const double scale = static_cast<double>(placed.width()) / view.width();
        ASSERT_GT(scale, 1.5) << c.name;
        const QString prefix = QString::fromStdString((dir.Path() / "page").string());
        ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(300 / scale, 'f', 6), "-aa", "no",
                                                 "-aaVector", "no", "-png", "-singlefile", pdf, prefix}),
                  0);
        const QImage page(prefix + ".png");
        ASSERT_FALSE(page.isNull());
        const QPoint at(static_cast<int>(std::lround(placed.x() / scale)),
                        static_cast<int>(std::lround(placed.y() / scale)));
        const QImage printed = page.copy(QRect(at, view));
        EXPECT_LT(DifferingShare(printed, RenderPlotImage(view, doc, state), 60), 0.04) << c.name;
        EXPECT_TRUE(AnyPixelOf(page, QRect(0, 0, page.width(), at.y()), {0, 0, 0})) << c.name;
    }
}

TEST(PlotPage, TitleNamesTheAntennaTheFirstCutsAndTheDate) {
    struct Case {
        int cuts;
        std::string expected;
    } const cases[] = {
        {0, "2026-12-08"},
        {2, "QX6518  —  QX6518_c0_h_co, QX6518_c1_h_co  —  2026-12-08"},
        {6, "QX6518  —  QX6518_c0_h_co, QX6518_c1_h_co, QX6518_c2_h_co, QX6518_c3_h_co and 2 more  —  "
            "2026-12-08"},
    };
    for (const Case& c : cases) {
        SilentNotifier silent;
        CQuadrelDoc doc(&silent);
        for (int i = 0; i < c.cuts; ++i) {
            const std::string path = "/m/QX6518_c" + std::to_string(i) + "_h_co.msi";
            AddFlatCut(doc, path, -10);
            doc.table[PatternKey(path)].names[kFieldModel] = "QX6518";
        }
        EXPECT_EQ(PlotPageTitle(doc, "2026-12-08"), c.expected) << c.cuts;
    }
}

TEST(PlotLegendRows, ALongListEndsWithTheCountOfTheRest) {
    struct Case {
        size_t entries;
        int maxRows;
        size_t rows;
        std::string last;
    } const cases[] = {{3, 16, 3, "c2"}, {16, 16, 16, "c15"}, {40, 16, 16, "… and 25 more"}, {5, 0, 0, ""}};
    for (const Case& c : cases) {
        std::vector<SceneLegendEntry> entries;
        for (size_t i = 0; i < c.entries; ++i) entries.push_back({"c" + std::to_string(i), {}});
        const std::vector<SceneLegendEntry> rows = LegendRows(entries, c.maxRows);
        ASSERT_EQ(rows.size(), c.rows) << c.entries;
        if (!rows.empty()) { EXPECT_EQ(rows.back().name, c.last) << c.entries; }
    }
}
} // namespace
