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
} // namespace
