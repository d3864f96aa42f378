#include <QApplication>
#include <QStringList>
#include <clocale>

#include "app/ConfigLocation.h"
#include "app/Version.h"
#include "gui/MainWindow.h"
#include "render/PlotRenderer.h"

// quadrel [--config-dir DIR] [FILE|FOLDER...]
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt follows the user's locale; the engine reads and writes numbers with "." whatever it is.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName("Quadrel");
    QApplication::setApplicationName(kProgramName);
    QApplication::setApplicationVersion(QUADREL_VERSION);
    InstallPlotFonts();

    std::string configDir;
    QStringList files;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--config-dir" && i + 1 < args.size())
            configDir = args[++i].toStdString();
        else
            files << args[i];
    }
    MainWindow window(ResolveConfigDir(configDir));
    window.show();
    if (!files.isEmpty()) window.OpenPaths(files);
    return app.exec();
}
