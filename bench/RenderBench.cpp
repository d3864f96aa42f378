// Paints 100 selected 720-sample patterns at 1200 x 900, as the view does when the curves change
// (target: under 15 ms per frame), and moves the mouse over the view with a whole antenna's 3,200
// cuts selected, as an engineer reading levels does (target: under 16 ms per move).
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "commands/StartUp.h"
#include "document/QuadrelDoc.h"
#include "gui/PlotView.h"
#include "render/PlotRenderer.h"

namespace {
void Fill(CQuadrelDoc& doc, int patterns) {
    for (int p = 0; p < patterns; ++p) {
        const std::string path = "/bench/p" + std::to_string(p) + "_p45_h_co_2_0_1850.msi";
        PatternFile& f = doc.table[path];
        f.key = f.path = path;
        f.fileName = path.substr(path.rfind('/') + 1);
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

// Milliseconds per mouse move over the view: the move's readout and the repaint it asks for.
// With `redrawCurves` every move also invalidates the curves, which is what each move cost before
// the view kept them in a layer.
struct PerMove {
    double wall = 0, cpu = 0; // milliseconds; the CPU time tells a busy machine from a slow move
};

PerMove MillisecondsPerMove(PlotView& view, int moves, bool redrawCurves) {
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < moves; ++i) {
        const QPointF at(300 + (i * 37) % 600, 200 + (i * 53) % 500);
        QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        if (redrawCurves) view.InvalidateCurves();
        view.repaint();
    }
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return {elapsed.count() / moves, cpu / moves};
}

void ReadoutMoves(int cuts) {
    SilentNotifier silent;
    Session session;
    session.doc = std::make_unique<CQuadrelDoc>(&silent);
    Fill(*session.doc, cuts);
    PlotView view(session, &silent);
    view.resize(1200, 900);
    view.show();
    QApplication::processEvents();
    for (int system : {kPolarSystem, kCartesianSystem}) {
        session.plot.settings.coordinateSystem = system;
        view.InvalidateCurves();
        view.repaint();
        const PerMove cached = MillisecondsPerMove(view, 40, false);
        const PerMove redrawn = MillisecondsPerMove(view, 3, true);
        std::cout << (system == kPolarSystem ? "polar    " : "cartesian") << "  mouse move, " << cuts
                  << " cuts selected at 1200x900: " << cached.wall << " ms, CPU " << cached.cpu
                  << " ms (target < 16 ms; redrawing the curves: " << redrawn.wall << " ms, CPU "
                  << redrawn.cpu << " ms)" << (cached.wall < 16 ? "" : "  ** over target **") << "\n";
    }
}
} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallPlotFonts();
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
    ReadoutMoves(3200);
    return 0;
}
