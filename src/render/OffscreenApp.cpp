#include "render/OffscreenApp.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "render/PlotRenderer.h"

std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Headless servers often have no runtime folder; Qt then warns on every start. A private one
    // under the temporary folder keeps the command's output clean.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        const std::string runtime = "/tmp/runtime-quadrel-" + std::to_string(::getuid());
        ::mkdir(runtime.c_str(), 0700);
        struct stat info {};
        if (::stat(runtime.c_str(), &info) == 0 && info.st_uid == ::getuid() && (info.st_mode & 0077) == 0)
            setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
    }
    // QGuiApplication keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char name[] = "quadrel";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    InstallPlotFonts();
    return app;
}
