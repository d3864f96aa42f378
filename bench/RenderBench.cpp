// Paints 100 selected 720-sample patterns at 1200 x 900, as the view does on every repaint.
// Target: under 15 ms per frame.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <iostream>

#include "document/QuadrelDoc.h"
#include "render/OffscreenApp.h"
#include "render/PlotRenderer.h"

namespace {
void Fill(CQuadrelDoc& doc, int patterns) {
    for (int p = 0; p < patterns; ++p) {
        const std::string path = "/bench/p" + std::to_string(p) + "_p45_h_co_2_0_1850.msi";
        PatternFile& f = doc.table[path];
        f.key = f.path = path;
        f.names[kFieldPlane] = "h";
        f.names[kFieldComponent] = "co";
        for (int i = 0; i < 720; ++i) {
            const double a = i * 0.5 > 180 ? i * 0.5 - 360 : i * 0.5;
            const double level =
                -12.0 * (1 - std::cos(a * M_PI / 180)) / 2 - p * 0.1 + 0.5 * std::sin(i * 0.37 + p);
            f.samples.push_back({static_cast<float>(a), static_cast<float>(level)});
        }
        f.results.HmaxRaw = {0, 0};
        doc.selectionList.push_back(path);
    }
}

double MillisecondsPerFrame(const CQuadrelDoc& doc, const PlotState& state, int frames) {
    QImage image(1200, 900, QImage::Format_RGB32);
    QPainter warm(&image);
    RenderPlot(warm, image.size(), doc, state);
    warm.end();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        QPainter painter(&image);
        RenderPlot(painter, image.size(), doc, state);
    }
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / frames;
}
} // namespace

int main() {
    auto app = EnsureGuiApplication();
    SilentNotifier silent;
    CQuadrelDoc doc(&silent);
    Fill(doc, 100);
    PlotState state;
    state.settings.reference3dB = 1;
    for (int system : {kPolarSystem, kCartesianSystem}) {
        state.settings.coordinateSystem = system;
        const double ms = MillisecondsPerFrame(doc, state, 30);
        std::cout << (system == kPolarSystem ? "polar    " : "cartesian")
                  << "  100 patterns x 720 samples at 1200x900: " << ms << " ms per frame (target < 15 ms)"
                  << (ms < 15 ? "" : "  ** over target **") << "\n";
    }
    return 0;
}
