// The window with a 10,000-cut antenna: the GUI thread's time to show the file list after the load,
// to select every cut, and to scroll All Results across them. Target: each under 100 ms.
// Needs a Qt platform: run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <filesystem>
#include <iostream>

#include "gui/AllResultsPane.h"
#include "gui/FileListPane.h"
#include "gui/MainWindow.h"
#include "gui/PlotView.h"
#include "gui/ResultPanes.h"
#include "gui/TextTableModel.h"

namespace fs = std::filesystem;

namespace {
const fs::path kAntenna = QUADREL_SOURCE_DIR "/samples/campaign/Lab1_Proj7_QX6518_20261208_B01_SN00001";

// The sample antenna's 48 cuts under `copies` serial numbers, as hard links.
int MakeCampaign(const fs::path& root, int copies) {
    int cuts = 0;
    for (int i = 0; i < copies; ++i) {
        const fs::path folder = root / ("Lab1_Proj7_QX6518_20261208_B01_SN" + std::to_string(10000 + i));
        fs::create_directories(folder);
        for (const auto& entry : fs::directory_iterator(kAntenna))
            if (entry.path().extension() == ".msi") {
                fs::create_hard_link(entry.path(), folder / entry.path().filename());
                ++cuts;
            }
    }
    return cuts;
}

template <typename Work> double Milliseconds(Work work) {
    QElapsedTimer clock;
    clock.start();
    work();
    QApplication::processEvents();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir data, config;
    const int cuts = MakeCampaign(data.path().toStdString(), 209);
    MainWindow window(config.path().toStdString() + "/");
    window.resize(1600, 1000);
    window.show();
    QApplication::processEvents();

    const double load = Milliseconds([&] { window.OpenPaths({data.path()}); });
    const double list = Milliseconds([&] { window.FileList()->Rebuild(); });
    // The plot's share is measured on its own: drawing 10,000 curves is the view's cost, not the panes'.
    window.View()->hide();
    const double select = Milliseconds([&] { window.FileList()->SelectAllRows(); });
    window.View()->show();
    const double plot = Milliseconds([&] { window.View()->repaint(); });
    const double columns = Milliseconds([&] { window.AllResults()->Rebuild(); });
    const double current = Milliseconds([&] { window.CurrentResults()->Rebuild(); });
    QScrollBar* bar = window.AllResults()->horizontalScrollBar();
    double worstStep = 0, steps = 0;
    for (int value = 0; value <= bar->maximum(); value += std::max(1, bar->maximum() / 50)) {
        worstStep = std::max(worstStep, Milliseconds([&] {
                                 bar->setValue(value);
                                 window.AllResults()->viewport()->repaint();
                             }));
        ++steps;
    }
    std::cout << "cuts " << cuts << ", All Results columns " << window.AllResults()->Model().columnCount()
              << "\n"
              << "open (load, analysis and panes) " << load << " ms\n"
              << "file list shown after the load " << list << " ms\n"
              << "select all (click command and panes, plot hidden) " << select << " ms\n"
              << "  of which All Results refilled " << columns << " ms, Current Results " << current
              << " ms\n"
              << "the plot of every cut, drawn once " << plot << " ms\n"
              << "scroll All Results: worst of " << steps << " steps " << worstStep << " ms\n";
    return 0;
}
