#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "document/QuadrelDoc.h"
#include "plot/PlotFrame.h"
#include "plot/PlotScene.h"
#include "render/OffscreenApp.h"
#include "render/PlotRenderer.h"
#include "render/ReportPicture.h"
#include "support/TestSupport.h"

namespace {

void AddBeam(CQuadrelDoc& doc, const std::string& path, float peak) {
    PatternFile& f = doc.table[PatternKey(path)];
    f.key = PatternKey(path);
    f.path = path;
    f.fileName = path.substr(path.rfind('/') + 1);
    f.names[kFieldPlane] = "h";
    f.names[kFieldComponent] = "co";
    for (double a = -179.5; a <= 180; a += 0.5)
        f.samples.push_back({static_cast<float>(a), static_cast<float>(peak - std::abs(a) / 10)});
    f.results.HmaxRaw = {0, peak};
    doc.selectionList.push_back(f.key);
}

bool AnyPixelOf(const QImage& image, QRect box, QRgb color) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) return true;
    return false;
}

} // namespace

TEST(ReportPicture, CroppedToThePlotWithALegendAndAsWideAsTheText) {
    const auto app = EnsureGuiApplication();
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    AddBeam(doc, "/m/p1_p45_h_co_2_0_1710.msi", 0);
    AddBeam(doc, "/m/p1_p45_h_co_2_0_2170.msi", -3);
    const struct {
        const char* name;
        int system;
        QSize view;
        QSize largest;
    } cases[] = {
        {"polar in the report's view", kPolarSystem, {604, 404}, {640, 0}},
        {"polar in a large view", kPolarSystem, {1400, 1000}, {640, 0}},
        {"cartesian", kCartesianSystem, {604, 404}, {640, 0}},
        {"narrow text", kPolarSystem, {604, 404}, {300, 0}},
        {"two polar pictures to a page", kPolarSystem, {604, 404}, {640, 384}},
        {"two cartesian pictures to a page", kCartesianSystem, {604, 404}, {640, 384}},
    };
    for (const auto& c : cases) {
        PlotState state;
        state.settings.coordinateSystem = c.system;
        const QImage picture = ReportPicture(c.view, c.largest, doc, state);
        const int width = c.largest.width();
        EXPECT_LE(picture.width(), width) << c.name;
        if (c.largest.height() > 0) { EXPECT_LE(picture.height(), c.largest.height()) << c.name; }
        // No blank third: what is drawn reaches across the picture.
        const QRect ink = InkBounds(picture);
        EXPECT_GE(ink.width(), picture.width() * 9 / 10) << c.name;
        const bool fillsHeight = c.largest.height() > 0 && picture.height() >= c.largest.height() * 9 / 10;
        EXPECT_TRUE(picture.width() >= width * 9 / 10 || fillsHeight) << c.name << ": fills the room";
        // The legend strokes in the cuts' colours (line colours 1 and 2) stand beside or below the plot.
        const PlotScene scene = BuildPlotScene(doc, state, &silent);
        ASSERT_EQ(scene.legend.size(), 2u);
        EXPECT_EQ(scene.legend[0].name, "p1_p45_h_co_2_0_1710");
        EXPECT_EQ(scene.legend[1].name, "p1_p45_h_co_2_0_2170");
        if (width < 600) continue; // scaled down: colours are blended
        const QRect legendArea =
            c.system == kPolarSystem
                ? QRect(picture.width() * 2 / 3, 0, picture.width() / 3, picture.height())
                : QRect(0, picture.height() * 3 / 4, picture.width() / 2, picture.height() / 4);
        for (const SceneLegendEntry& e : scene.legend)
            EXPECT_TRUE(AnyPixelOf(picture, legendArea, qRgb(e.color.r, e.color.g, e.color.b))) << c.name;
    }
}

TEST(PlotLabels, NoLabelCoversAnother) {
    const auto app = EnsureGuiApplication();
    const PlotState state;
    const PlotSettingsBlock block = ApplyDrawSettings(state.settings);
    const struct {
        int system;
        QSize size;
    } cases[] = {
        {kPolarSystem, {450, 450}},     {kPolarSystem, {604, 404}},     {kPolarSystem, {1200, 900}},
        {kCartesianSystem, {604, 404}}, {kCartesianSystem, {300, 200}},
    };
    for (const auto& c : cases) {
        const PlotFrame frame = BuildFrame(c.system, block, state.colors, true);
        const std::vector<QRectF> boxes =
            LabelBoxes(MappingFor(c.system, c.size.width(), c.size.height(), block), frame.labels, 7);
        ASSERT_EQ(boxes.size(), frame.labels.size());
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = i + 1; j < boxes.size(); ++j)
                EXPECT_FALSE(boxes[i].intersects(boxes[j]))
                    << c.size.width() << "x" << c.size.height() << ": \"" << frame.labels[i].text
                    << "\" and \"" << frame.labels[j].text << "\"";
    }
}

// Zoomed three times about the centre, the values of the grid lines still on screen stay on screen.
TEST(PlotLabels, ZoomedViewKeepsItsGridValues) {
    const auto app = EnsureGuiApplication();
    const PlotState state;
    const PlotSettingsBlock block = ApplyDrawSettings(state.settings);
    const QSize size(800, 600);
    for (int system : {kPolarSystem, kCartesianSystem}) {
        const PlotMapping zoomed =
            ApplyZoom(MappingFor(system, size.width(), size.height(), block),
                      ZoomAbout(MappingFor(system, size.width(), size.height(), block), 400, 300, 3.0));
        const PlotFrame frame = BuildFrame(system, block, state.colors, false);
        std::vector<QRectF> boxes = LabelBoxes(zoomed, frame.labels, 7);
        KeepLabelsInView(boxes, zoomed, frame.labels, size);
        const QRectF view(QPointF(0, 0), size);
        int levels = 0, angles = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (!view.contains(boxes[i])) continue;
            const std::string& text = frame.labels[i].text;
            if (text.find("°") != std::string::npos)
                ++angles;
            else if (text.find_first_of("0123456789") != std::string::npos)
                ++levels;
        }
        EXPECT_GE(angles, 3) << system;
        EXPECT_GE(levels, 2) << system;
    }
}
