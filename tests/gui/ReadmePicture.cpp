// Not a test: makes the README's pictures of the main window and of its print preview. Writes
// quadrel-main-window.png and quadrel-print-preview.png into the folder given as the argument, or
// into a new temporary folder, and prints their paths.
// Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QItemSelectionModel>
#include <QTest>
#include <QTimer>
#include <iostream>

#include "gui/FileListPane.h"
#include "gui/MainWindow.h"
#include "gui/PlotView.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (folder.isEmpty()) {
        folder = QDir::temp().filePath("quadrel-readme-picture");
        QDir().mkpath(folder);
    }
    const QString config = QDir(folder).filePath("config");
    QDir().mkpath(config);
    MainWindow window(config.toStdString() + "/");
    window.show();
    window.OpenPaths({QUADREL_SOURCE_DIR "/samples/campaign"});
    // The sample antenna's co- and cross-polar horizontal cuts selected, the mouse on the plot.
    window.Action("actionWithCoCross")->trigger();
    FileListPane* list = window.FileList();
    for (int row = 0; row < list->RowCount(); ++row)
        if (list->Text(row, 0) == "p1_p45_h_co_2_0_1850.msi")
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::mouseMove(window.View(), window.View()->rect().center() + QPoint(30, -60));
    QApplication::processEvents();
    const QString path = QDir(folder).filePath("quadrel-main-window.png");
    if (!window.grab().save(path)) {
        std::cerr << "could not write " << path.toStdString() << "\n";
        return 1;
    }
    std::cout << path.toStdString() << "\n";
    // The preview is modal: grab it from a timer once it is up, then close it.
    const QString preview = QDir(folder).filePath("quadrel-print-preview.png");
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->resize(1100, 800);
        QApplication::processEvents();
        saved = dialog->grab().save(preview);
        dialog->reject();
    });
    poll.start(200);
    window.Action("actionPrintPreview")->trigger();
    poll.stop();
    if (!saved) {
        std::cerr << "could not write " << preview.toStdString() << "\n";
        return 1;
    }
    std::cout << preview.toStdString() << "\n";
    return 0;
}
