// The desktop program driven as a person drives it: menus, clicks, mouse gestures and dialogs on
// the real main window (offscreen platform), checked against what the user sees and what
// quadrel-cli prints for the same selection.
#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>
#include <memory>

#include "GuiDriver.h"
#include "generate/Campaign.h"
#include "gui/AllResultsPane.h"
#include "gui/FileListPane.h"
#include "gui/MainWindow.h"
#include "gui/PlotView.h"
#include "gui/QtBridge.h"
#include "gui/ResultPanes.h"
#include "gui/TextTableModel.h"

namespace {
const QString kCampaign = QUADREL_SOURCE_DIR "/samples/campaign";
const QString kAntenna = kCampaign + "/Lab1_Proj7_QX6518_20261208_B01_SN00001";

QStringList PaneLines(const QListWidget* pane) {
    QStringList lines;
    for (int i = 0; i < pane->count(); ++i) lines << pane->item(i)->text();
    return lines;
}

QStringList TableLines(const TextTableModel& table) {
    QStringList lines;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c) cells << QString::fromStdString(table.Cell(r, c));
        lines << cells.join('\t');
    }
    return lines;
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<MainWindow> m_window;

    MainWindow& W() { return *m_window; }
    QString ConfigDir() const { return m_config->path() + "/"; }
    QString Cli(const QStringList& args) {
        QProcess cli;
        cli.start(QUADREL_CLI_PATH, QStringList{"--config-dir", ConfigDir()} + args);
        cli.waitForFinished(60000);
        return QString::fromUtf8(cli.readAllStandardOutput());
    }
    // The row of `fileName`; with several antennas loaded, the one whose path holds `folder`.
    void ClickRow(const QString& fileName, const QString& folder = {}) {
        FileListPane* list = W().FileList();
        std::vector<int> rows;
        for (int row = 0; row < list->RowCount(); ++row)
            if (list->Text(row, 0) == fileName &&
                (folder.isEmpty() || list->Text(row, 1).contains(folder, Qt::CaseInsensitive)))
                rows.push_back(row);
        QVERIFY2(rows.size() == 1, qPrintable(fileName));
        const QModelIndex index = list->model()->index(rows.front(), 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
    QStringList SelectedRows() const {
        QStringList rows;
        for (int row : m_window->FileList()->SelectedRows()) rows << m_window->FileList()->Text(row, 0);
        rows.sort();
        return rows;
    }
    // Current Results without the mark information that follows the mouse.
    QStringList ResultLines() const {
        QStringList lines = PaneLines(m_window->CurrentResults());
        if (lines.size() >= 3) lines = lines.mid(0, lines.size() - 3);
        return lines;
    }
    QImage ViewImage() const { return m_window->View()->grab().toImage(); }
    QDialog* Summary() const {
        const auto dialogs = m_window->findChildren<QDialog*>("exportSummary");
        return dialogs.size() == 1 && dialogs.front()->isVisible() ? dialogs.front() : nullptr;
    }

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        m_config = std::make_unique<QTemporaryDir>();
        m_window = std::make_unique<MainWindow>(ConfigDir().toStdString());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        W().OpenPaths({kCampaign});
    }

    void cleanup() {
        m_window.reset();
        m_config.reset();
    }

    // A file read with doubts (text in a data line, so a row too many and a count that is off) is
    // loaded and its warnings shown together, in a box that does not wait;
    // the sample campaign gives none.
    void loadWarningsAreShownOnceWithoutWaiting() {
        QVERIFY(W().findChildren<QMessageBox*>("warningsBox").isEmpty());
        QTemporaryDir data;
        const QString folder = data.path() + "/Lab_P_M_20261208_B_SN";
        QVERIFY(QDir().mkpath(folder));
        QByteArray text = "NAME X\r\nFREQUENCY 1800\r\n720\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
        for (int i = 0; i < 720; ++i)
            text += (i == 5 ? QByteArray("GAIN 12 dBi") : QByteArray::number(i * 0.5) + " 3.00") + "\r\n";
        QFile file(folder + "/p1_p45_h_co_2_0_1850.msi");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        W().OpenPaths({folder});
        const auto boxes = W().findChildren<QMessageBox*>("warningsBox");
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes.front()->isVisible() && !boxes.front()->isModal());
        QVERIFY2(boxes.front()->text().startsWith("3 warnings while loading:"),
                 qPrintable(boxes.front()->text()));
        QVERIFY(boxes.front()->text().contains("p1_p45_h_co_2_0_1850.msi"));
        QVERIFY(W().statusBar()->currentMessage().startsWith("3 warnings while loading: "));
        QCOMPARE(W().FileList()->RowCount(), 49);
    }

    // The frame as a user finds it out: its keys, tool buttons and View entries each do their work.
    void frameShowsItsParts() {
        QVERIFY2(W().statusBar()->currentMessage().startsWith("Loaded 48 cuts from 1 folder in "),
                 qPrintable(W().statusBar()->currentMessage()));
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        auto* toolBar = W().findChild<QToolBar*>("mainToolBar");
        auto clickTool = [&](const char* action) {
            QTest::mouseClick(toolBar->widgetForAction(W().Action(action)), Qt::LeftButton);
        };
        auto* dock = W().findChild<QDockWidget*>("fileListsDock");
        QImage before;
        const struct {
            const char* what;
            std::function<void()> act;
            std::function<bool()> done;
        } cases[] = {
            {"Del removes the selected row", [&] { QTest::keyClick(&W(), Qt::Key_Delete); },
             [&] { return W().FileList()->RowCount() == 47; }},
            {"Ctrl+A selects every row", [&] { QTest::keyClick(&W(), Qt::Key_A, Qt::ControlModifier); },
             [&] { return SelectedRows().size() == 47; }},
            {"F2 draws the 3 dB line",
             [&] {
                 before = ViewImage();
                 QTest::keyClick(&W(), Qt::Key_F2);
             },
             [&] {
                 return W().Action("action3dBReference")->isChecked() &&
                        DifferingShare(before, ViewImage()) > 0;
             }},
            {"the Cartesian tool button redraws the plot",
             [&] {
                 before = ViewImage();
                 clickTool("actionCartesian");
             },
             [&] {
                 return W().Action("actionCartesian")->isChecked() &&
                        DifferingShare(before, ViewImage()) > 0.01;
             }},
            {"the Polar tool button draws the polar plot again",
             [&] {
                 before = ViewImage();
                 clickTool("actionPolar");
             },
             [&] {
                 return W().Action("actionPolar")->isChecked() && DifferingShare(before, ViewImage()) > 0.01;
             }},
            {"View > File Lists brings the closed pane back",
             [&] {
                 dock->close();
                 W().Action("actionShowFileList")->trigger();
             },
             [&] { return dock->isVisible() && W().dockWidgetArea(dock) == Qt::LeftDockWidgetArea; }},
        };
        for (const auto& c : cases) {
            c.act();
            QVERIFY2(c.done(), c.what);
        }
        // The opened folder is a recent antenna.
        QCOMPARE(W().findChild<QMenu*>("recentFoldersMenu")->actions().front()->text(), kCampaign);
    }

    void clickShowsTheSelectionAndTheCliLines() {
        QCOMPARE(W().FileList()->RowCount(), 48);
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        const QString select = kAntenna + "/p1_p45_h_co_2_0_1850.msi";
        QCOMPARE(ResultLines().join('\n') + '\n', Cli({"results", "--select", select, kCampaign}));
        QCOMPARE(TableLines(W().AllResults()->Model()).join('\n') + '\n',
                 Cli({"results", "--pane", "all", "--select", select, kCampaign}));

        // The last line follows the mouse.
        MoveMouse(W().View(), W().View()->rect().center() + QPoint(0, -40));
        const QStringList lines = PaneLines(W().CurrentResults());
        QVERIFY(!lines.isEmpty());
        QVERIFY2(lines.last().endsWith("dB\u3000") && lines.last().contains("°\u3000"),
                 qPrintable(lines.last()));

        // With the co/cross and plane partners the click grows to the related cuts.
        W().Action("actionWithCoCross")->trigger();
        W().Action("actionWithPlane")->trigger();
        QVERIFY(!W().Action("actionSingle")->isChecked());
        ClickRow("p1_p45_h_co_2_0_1710.msi");
        QCOMPARE(SelectedRows(), (QStringList{"p1_p45_e_co_2_0_1710.msi", "p1_p45_e_cr_2_0_1710.msi",
                                              "p1_p45_h_co_2_0_1710.msi", "p1_p45_h_cr_2_0_1710.msi"}));
        QCOMPARE(W().AllResults()->Model().columnCount(), 4);
    }

    void indicatorAndMarkerToggles() {
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        const QStringList before = ResultLines();
        QAction* hbw = W().Action("action_ID_HBW3DB");
        QVERIFY(hbw);
        const bool wasOn = hbw->isChecked();
        hbw->trigger();
        QCOMPARE(hbw->isChecked(), !wasOn);
        QVERIFY(ResultLines() != before);
        hbw->trigger();
        QCOMPARE(ResultLines(), before);

        const QImage plain = ViewImage();
        W().Action("actionMarkMax")->trigger();
        QVERIFY(W().Action("actionMarkMax")->isChecked());
        QVERIFY(DifferingShare(plain, ViewImage()) > 0);
    }

    void setupDialogRefusesABadEntry() {
        ModalDriver driver;
        QString boxSeen;
        driver.Then([&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Horizontal Parameter Setup"));
            SetEdit(dialog, "IDC_EDIT_HBWXdB", "25");
            Click(dialog, "okButton");
        });
        driver.Then([&](QWidget* box) {
            boxSeen = BoxText(box);
            QTimer::singleShot(0, box, [box] { qobject_cast<QDialog*>(box)->accept(); });
        });
        driver.Then([&](QWidget* dialog) {
            // Still open after the message: the user cancels.
            QCOMPARE(dialog->windowTitle(), QString("Horizontal Parameter Setup"));
            Click(dialog, "cancelButton");
        });
        const float before = W().GetSession().Doc().Hpara.HBW_xdb;
        const std::string stored = W().GetSession().Doc().ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB");
        W().Action("actionHSetup")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle(); }));
        QCOMPARE(boxSeen, QString("ERROR: HBW XdB input parameter is out of range 1~20,please check!"));
        QCOMPARE(W().GetSession().Doc().Hpara.HBW_xdb, before);
        QCOMPARE(W().GetSession().Doc().ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB"), stored);
    }

    void rubberBandZoomAndReset() {
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        const QImage whole = ViewImage();
        W().Action("actionZoomIn")->trigger();
        QVERIFY(W().Action("actionZoomIn")->isChecked());
        const QPoint c = W().View()->rect().center();
        DragMouse(W().View(), c - QPoint(60, 60), c + QPoint(40, 20));
        QVERIFY(!W().Action("actionZoomIn")->isChecked()); // one rectangle per zoom
        QVERIFY(DifferingShare(whole, ViewImage()) > 0.01);
        W().Action("actionResetView")->trigger();
        QCOMPARE(DifferingShare(whole, ViewImage()), 0.0);

        // A rectangle of no height zooms nothing.
        W().Action("actionZoomIn")->trigger();
        DragMouse(W().View(), c, c + QPoint(50, 0));
        QCOMPARE(DifferingShare(whole, ViewImage()), 0.0);
    }

    // Edit > Undo and Redo as the user reads them: the command's name, enabled only with
    // something to take back or give back.
    QString EditEntries() {
        QString entries;
        for (const char* name : {"actionUndo", "actionRedo"}) {
            QAction* action = W().Action(name);
            entries +=
                (entries.isEmpty() ? "" : " | ") + action->text() + (action->isEnabled() ? "" : " (off)");
        }
        return entries;
    }

    void patternDragWithUndoAndRedo() {
        W().Action("actionCartesian")->trigger();
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        QCOMPARE(EditEntries(), QString("&Undo (off) | &Redo (off)"));
        const QStringList original = ResultLines();
        W().Action("actionPatternDrag")->trigger();
        QVERIFY(W().Action("actionPatternDrag")->isChecked());
        const QPoint c = W().View()->rect().center();
        DragMouse(W().View(), c, c + QPoint(0, -60));
        QVERIFY(W().Action("actionPatternDrag")->isChecked());
        W().Action("actionPatternDrag")->trigger();
        const QStringList dragged = ResultLines();
        QVERIFY(dragged != original);
        QCOMPARE(EditEntries(), QString("&Undo Pattern Drag | &Redo (off)"));
        QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ResultLines(), original);
        QCOMPARE(EditEntries(), QString("&Undo (off) | &Redo Pattern Drag"));
        QTest::keyClick(&W(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ResultLines(), dragged);

        // A level adjustment after an undone drag is taken back and given back whole.
        QTest::keyClick(&W(), Qt::Key_Z, Qt::ControlModifier);
        ModalDriver driver;
        driver.Then([](QWidget* dialog) {
            SetEdit(dialog, "IDC_EDIT_VALUE", "3");
            Click(dialog, "okButton");
        });
        W().Action("actionLevelAdjust")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle(); }));
        const QStringList adjusted = ResultLines();
        QVERIFY(adjusted != original && adjusted != dragged);
        QCOMPARE(EditEntries(), QString("&Undo Level Adjustment | &Redo (off)"));
        // The offscreen platform gives the window no focus back after a dialog: the menu entries.
        W().Action("actionUndo")->trigger();
        QCOMPARE(ResultLines(), original);
        W().Action("actionRedo")->trigger();
        QCOMPARE(ResultLines(), adjusted);
        QCOMPARE(EditEntries(), QString("&Undo Level Adjustment | &Redo (off)"));
    }

    void rotateInTheDataAndNonRotate() {
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        const QStringList original = ResultLines();
        ModalDriver driver;
        driver.Then([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Pattern Rotation - Data Processing"));
            Click(dialog, "IDC_RADIO_STATE_3");
            SetEdit(dialog, "IDC_EDIT_ROTATE", "12");
            Click(dialog, "okButton");
        });
        W().Action("actionRotateData")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle(); }));
        QVERIFY(ResultLines() != original);
        W().Action("actionNonRotate")->trigger();
        QCOMPARE(ResultLines(), original);
    }

    // The export dialog's answer: the working folder and the boxes to tick.
    void AnswerExportDialog(ModalDriver& driver, const QString& folder, const QStringList& boxes) {
        driver.Then([folder, boxes](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Export Data"));
            SetEdit(dialog, "IDC_EDIT_REPORT_PATH", folder);
            for (const QString& box : boxes)
                if (!dialog->findChild<QAbstractButton*>(box)->isChecked()) Click(dialog, box);
            Click(dialog, "okButton");
        });
    }

    // Runs `whileRunning` on the window's thread when the export's worker announces `status`; the
    // worker waits for it, so it runs while the export is in the middle of its work.
    static QMetaObject::Connection AtStatus(QtNotifier* notifier, const QString& status,
                                            std::function<void()> whileRunning) {
        return QObject::connect(
            notifier, &QtNotifier::statusText, notifier,
            [status, whileRunning](const QString& text) {
                if (text == status) whileRunning();
            },
            Qt::BlockingQueuedConnection);
    }

    // While the export runs, a click on a row selects that cut, redraws the plot and shows its
    // results, exactly as the command line gives them.
    void ClickAndReadDuringTheExport(const QString& folder, const QString& campaign) {
        const QString name = QFileInfo(folder).fileName() + "/p2_m45_e_co_6_0_2170.msi";
        const QString path = campaign + "/" + name;
        const QString expected = Cli({"results", "--select", path, campaign});
        QVERIFY(W().ExportRunning());
        const QImage before = ViewImage();
        ClickRow("p2_m45_e_co_6_0_2170.msi", folder);
        QCOMPARE(W().GetSession().Doc().selectionList,
                 std::vector<std::string>{PatternKey(path.toStdString())});
        QVERIFY(DifferingShare(before, ViewImage()) > 0.001);
        QCOMPARE(ResultLines().join('\n') + '\n', expected);
        QVERIFY(W().ExportRunning());
    }

    // An edit made while the export runs reaches the window, not the files; a clean run says so once.
    void editsDuringTheExportDoNotReachIt() {
        QTemporaryDir out;
        QSignalSpy statuses(W().GetNotifier(), &QtNotifier::statusText);
        ModalDriver driver;
        AnswerExportDialog(driver, out.path(), {"IDC_RADIO_PIN", "IDC_RADIO_TXT", "IDC_RADIO_MSI"});
        bool clicked = false, adjusted = false;
        AtStatus(W().GetNotifier(), "Exporting PLN file, please wait...", [&] {
            ClickAndReadDuringTheExport(kAntenna, kCampaign);
            clicked = true;
            // An edit while the export runs changes the window's cut, not the one being exported.
            // The written tables are relative to the peak: only a partial change would show in them.
            ModalDriver level;
            level.Then([](QWidget* dialog) {
                Click(dialog, "IDC_RADIO_WHOLE_2");
                SetEdit(dialog, "IDC_EDIT_ANGLE_LEFT", "-30");
                SetEdit(dialog, "IDC_EDIT_ANGLE_RIGHT", "30");
                SetEdit(dialog, "IDC_EDIT_VALUE", "3");
                Click(dialog, "okButton");
            });
            W().Action("actionLevelAdjust")->trigger();
            adjusted = level.Idle();
        });
        QSignalSpy finished(&W(), &MainWindow::exportFinished);
        W().Action("actionExport")->trigger();
        QVERIFY(WaitFor([&] { return finished.count() == 1; }, 120000));
        QVERIFY(clicked && adjusted);
        QVERIFY(W().GetSession().history.UndoName() == "Level Adjustment");
        QStringList texts;
        for (const auto& args : statuses) texts << args.at(0).toString();
        QCOMPARE(texts, (QStringList{"Calculating indicators...", "Exporting PLN file, please wait...",
                                     "Exporting MSI file, please wait...",
                                     "Exporting TXT file, please wait...", "Export finished!"}));
        // The notice at the start is the one box; the end is told in the summary.
        QCOMPARE(driver.boxes.size(), 1);
        QCOMPARE(Summary()->findChild<QLabel*>("summaryHeadline")->text(), QString("Exporting sucess！"));
        QVERIFY(!QDir(out.path() + "/PLN").entryList(QDir::Files).isEmpty());
        // The exported cut is the one loaded: the command line writes the same bytes.
        QTemporaryDir cli;
        Cli({"export", "--out", cli.path(), "--msi", kCampaign});
        const QStringList msi = QDir(cli.path() + "/DataSrc/MSI").entryList(QDir::Files);
        QVERIFY(!msi.isEmpty());
        for (const QString& file : msi) {
            QFile mine(out.path() + "/DataSrc/MSI/" + file), theirs(cli.path() + "/DataSrc/MSI/" + file);
            QVERIFY(mine.open(QIODevice::ReadOnly) && theirs.open(QIODevice::ReadOnly));
            QVERIFY2(mine.readAll() == theirs.readAll(), qPrintable(file));
        }
        QVERIFY(W().menuBar()->isEnabled() && W().Action("actionExport")->isEnabled());
    }

    // An 8-port antenna of 1,120 cuts, exported with the default dual-port pattern information: while
    // it runs, a click selects another cut, the plot and the panes follow; Cancel stops the export at
    // a file; the one summary names what was written, which is exactly what is on disk, whole, and
    // counts the files skipped, with every problem in a list that fits the screen.
    void exportRunsWithoutFreezingTheWindow() {
        // One generated 8-port antenna at one tilt and frequency, under 35 serial numbers.
        QTemporaryDir generated, data;
        CampaignOptions options;
        options.outDir = generated.path().toStdString();
        options.ports = 8;
        options.tilts = {6};
        options.frequencies = {2170};
        CampaignSummary made;
        std::string error;
        QVERIFY2(GenerateCampaign(options, made, error), error.c_str());
        const QString cuts = generated.path() + "/" + QString::fromStdString(made.testFolder);
        for (int i = 1; i <= 35; ++i) {
            const QString antenna =
                data.path() + QString("/Lab1_Proj7_QX66%1_20261208_B01_SN000%1").arg(i, 2, 10, QChar('0'));
            QVERIFY(QDir().mkpath(antenna));
            for (const QString& file : QDir(cuts).entryList({"*.msi"}, QDir::Files))
                QVERIFY(QFile::copy(cuts + "/" + file, antenna + "/" + file));
        }
        W().OpenPaths({data.path()});
        QCOMPARE(W().FileList()->RowCount(), 48 + 1120);
        const QString picked = data.path() + "/Lab1_Proj7_QX6617_20261208_B01_SN00017";

        QTemporaryDir out;
        ModalDriver driver;
        AnswerExportDialog(
            driver, out.path(),
            {"IDC_RADIO_PIN", "IDC_RADIO_MSI", "IDC_CHECK_TMVMSI", "IDC_RADIO_XML", "IDC_RADIO_TXT"});
        bool cancelled = false;
        AtStatus(W().GetNotifier(), "Exporting MSI file, please wait...", [&] {
            ClickAndReadDuringTheExport(picked, data.path());
            auto* progress = W().findChild<QProgressBar*>("exportProgress");
            // The PLN files are written, the MSI files not yet begun.
            QVERIFY(WaitFor([&] { return progress->value() > 0; }, 5000));
            QVERIFY(progress->isVisible() && progress->value() < progress->maximum());
            QCOMPARE(progress->text(),
                     QString("%1 of %2 files").arg(progress->value()).arg(progress->maximum()));
            QTest::mouseClick(W().findChild<QPushButton*>("exportCancel"), Qt::LeftButton);
            cancelled = true;
        });
        QSignalSpy finished(&W(), &MainWindow::exportFinished);
        W().Action("actionExport")->trigger();
        QVERIFY(WaitFor([&] { return finished.count() == 1; }, 300000));
        QVERIFY(cancelled);

        // The PLN files were written before Cancel; no MSI file was begun after it.
        QStringList onDisk;
        QDirIterator it(out.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) onDisk << it.next();
        for (const QString& file : onDisk) QVERIFY2(!file.endsWith(".tmp"), qPrintable(file));
        const QStringList pln = QDir(out.path() + "/PLN").entryList(QDir::Files);
        QVERIFY(!pln.isEmpty());
        QCOMPARE(onDisk.size(), pln.size());
        QCOMPARE(driver.boxes.size(), 1);
        QDialog* summary = Summary();
        QCOMPARE(summary->findChild<QLabel*>("summaryHeadline")->text(),
                 QString("Export stopped: %1 files were written:\n%2/PLN: %1 files")
                     .arg(pln.size())
                     .arg(out.path()));
        // Ports of one polarisation share each PLN name: all but the first are skipped, each a problem.
        auto* counts = summary->findChild<QTableWidget*>("summaryCounts");
        QStringList written;
        int skipped = 0;
        for (int row = 0; row < counts->rowCount(); ++row) {
            if (counts->item(row, 1)->text() != "0")
                written << counts->item(row, 0)->text() + " " + counts->item(row, 1)->text();
            skipped += counts->item(row, 2)->text().toInt();
            QCOMPARE(counts->item(row, 3)->text(), QString("0"));
        }
        QCOMPARE(written, QStringList{QString("PLN %1").arg(pln.size())});
        QVERIFY(skipped >= pln.size());
        Click(summary, "summaryDetailsButton");
        auto* details = summary->findChild<QPlainTextEdit*>("summaryDetails");
        QVERIFY(details->isVisible());
        QCOMPARE(details->toPlainText().count('\n'), skipped);
        QVERIFY(summary->findChild<QLabel*>("summaryFirstProblems")
                    ->text()
                    .endsWith(QString("… and %1 more").arg(skipped - 5)));
        const QRect screen = summary->screen()->availableGeometry();
        QVERIFY2(screen.contains(summary->frameGeometry()), "the summary reaches past the screen");
        QVERIFY2(counts->horizontalHeader()->length() <= counts->viewport()->width(),
                 "the summary opens too narrow to show its counts");
        Click(summary, "summaryCopyButton");
        QCOMPARE(QApplication::clipboard()->text(), details->toPlainText());
        QVERIFY(!W().ExportRunning() && W().Action("actionExport")->isEnabled());
    }

    void dropOfAFileAddsIt() {
        QTemporaryDir other;
        const QString folder = other.path() + "/Lab2_Proj7_QX6518_20261208_B01_SN00002";
        QDir().mkpath(folder);
        QFile::copy(kAntenna + "/p1_p45_h_co_2_0_1850.msi", folder + "/p1_p45_h_co_2_0_1850.msi");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(folder)});
        // As a file manager's drag arrives: enter, move, drop.
        QWidget* target = W().FileList()->viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(QPoint(12, 12), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(12, 12), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCOMPARE(W().FileList()->RowCount(), 49);
    }

    void viewDrawsWhatTheCliDraws() {
        W().resize(1800, 1100);
        W().View()->setFixedSize(700, 560);
        QApplication::processEvents();
        // Two cuts, Cartesian, the 3 dB line and the Max marker, in the window and on the command line.
        W().Action("actionCartesian")->trigger();
        W().Action("action3dBReference")->trigger();
        W().Action("actionWithCoCross")->trigger();
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        W().Action("actionMarkMax")->trigger();
        W().Action("actionLegend")->setChecked(false); // the command line's picture has none
        const QImage view = ViewImage();
        QTemporaryDir out;
        const QString png = out.path() + "/plot.png";
        Cli({"plot", "--size", "700x560", "--cartesian", "--ref3db", "--markers", "max", "--select",
             kAntenna + "/p1_p45_h_co_2_0_1850.msi", "--select", kAntenna + "/p1_p45_h_cr_2_0_1850.msi",
             "--out", png, kCampaign});
        const QImage cli(png);
        QCOMPARE(cli.size(), view.size());
        QVERIFY2(DifferingShare(view, cli, 40) < 0.002, "the view and the CLI picture differ");
    }

    // The legend covers the view's top right corner and nothing else; View > Legend takes it away.
    void legendIsDrawnInTheCornerAndSwitchesOff() {
        W().resize(1800, 1100);
        W().View()->setFixedSize(700, 560);
        W().Action("actionWithCoCross")->trigger();
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        QVERIFY(W().Action("actionLegend")->isChecked());
        const QImage with = ViewImage();
        W().Action("actionLegend")->trigger();
        QVERIFY(!W().View()->LegendShown());
        const QImage without = ViewImage();
        const QRect corner(with.width() - 260, 0, 260, 70);
        QVERIFY(DifferingShare(with.copy(corner), without.copy(corner)) > 0.05);
        const QRect rest(0, 80, with.width(), with.height() - 80);
        QCOMPARE(DifferingShare(with.copy(rest), without.copy(rest)), 0.0);
    }

    // Wheel zoom at the cursor and zoom steps are undone one at a time by Zoom Out, also after the
    // selection changed in between.
    void zoomStepsSurviveAChangeOfSelection() {
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        const QPointF at(200, 150);
        QWheelEvent wheel(at, W().View()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(W().View(), &wheel);
        QVERIFY(W().View()->Zoomed());
        W().Action("actionZoomInStep")->trigger();
        const auto twice = W().GetSession().plot.zoom;
        ClickRow("p1_p45_h_cr_2_0_1850.msi");
        QVERIFY(W().GetSession().plot.zoom.has_value());
        QCOMPARE(W().GetSession().plot.zoom->extX, twice->extX);
        // A pan (Space held, left drag) moves the plot by the drag and is a step of its own.
        QTest::keyPress(W().View(), Qt::Key_Space);
        DragMouse(W().View(), QPoint(300, 200), QPoint(340, 170));
        QTest::keyRelease(W().View(), Qt::Key_Space);
        QCOMPARE(W().GetSession().plot.zoom->orgX, twice->orgX + 40);
        QCOMPARE(W().GetSession().plot.zoom->orgY, twice->orgY - 30);
        for (bool zoomedAfter : {true, true, false}) {
            W().Action("actionZoomOut")->trigger();
            QCOMPARE(W().View()->Zoomed(), zoomedAfter);
        }
    }

    // Draw Setting edits either system from the list; values that cannot be drawn are refused with
    // the field named, and the dialog stays open for a correction.
    void drawSettingChoosesTheSystemAndRefusesAnEmptyRange() {
        ModalDriver driver;
        QString refusal;
        driver.Then([](QWidget* dialog) {
            dialog->findChild<QComboBox*>("coordinateSystemChoice")->setCurrentIndex(1);
            QCOMPARE(dialog->windowTitle(), QString("Draw setting-Cartesian Coordinates"));
            SetEdit(dialog, "IDC_EDIT_PMEND", "0");
            Click(dialog, "okButton");
        });
        driver.Then([&](QWidget* box) {
            refusal = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        driver.Then([](QWidget* dialog) {
            SetEdit(dialog, "IDC_EDIT_PMEND", "-40");
            Click(dialog, "okButton");
        });
        W().Action("actionDrawSetting")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle() && !QApplication::activeModalWidget(); }));
        QCOMPARE(refusal, QString("Cartesian Coordinates: Level Min must be below Level Max."));
        QCOMPARE(W().GetSession().plot.settings.cartesian.levelMin, -40);
        QCOMPARE(W().GetSession().plot.settings.coordinateSystem, kPolarSystem);
    }

    void everyDialogOpensWithItsTitleAndCancelKeepsTheStore() {
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        const std::pair<const char*, const char*> dialogs[] = {
            {"actionHSetup", "Horizontal Parameter Setup"},
            {"actionVSetup", "Vertical Parameters Setup"},
            {"actionRadiationSetup", "Radiation Parameter Setup"},
            {"actionEnvelopeConfig", "Open the envelope and gain configuration"},
            {"actionNaming", "Indicator Naming Settings"},
            {"actionVerticalList", "Vertical Parameter List"},
            {"actionHorizontalList", "Horizontal Parameter List"},
            {"actionRotateDisplay", "Pattern Rotation - Data Processing"},
            {"actionLevelAdjust", "Level Adjustment"},
            {"actionDrawSetting", "Draw setting-Polar Coordinates"},
            {"actionColors", "Color Setting"},
            {"actionScreenshotSetting", "Screenshot Setting"},
            {"actionScreenshotPath", "Screenshot Path"},
            {"actionSaveAs", "Save as"},
            {"actionExport", "Export Data"},
            {"actionXmlConfig", "XML configuration"},
            {"actionPrintPreview", "Print Preview"},
        };
        const QString configFile = ConfigDir() + "Config.xml";
        QFile before(configFile);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray stored = before.readAll();
        for (const auto& [action, title] : dialogs) {
            ModalDriver driver;
            QString seen;
            driver.Then([&](QWidget* dialog) {
                seen = dialog->windowTitle();
                qobject_cast<QDialog*>(dialog)->reject();
            });
            W().Action(action)->trigger();
            QVERIFY2(WaitFor([&] { return driver.Idle(); }), action);
            QCOMPARE(seen, QString::fromUtf8(title));
        }
        QFile after(configFile);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), stored);
    }

    // A frame colour applies as it is picked and stays on Cancel; a line-list edit is dropped then.
    void colorSettingAppliesFrameColoursAtOnceAndLineColoursOnOk() {
        PlotColors& colors = W().GetSession().plot.colors;
        const PlotColors before = colors;
        ModalDriver driver;
        driver.Then([](QWidget* dialog) {
            Click(dialog, "insertColor");     // the picker's black is a new line colour, kept only on OK
            Click(dialog, "changeGridColor"); // the picker is answered below
            qobject_cast<QDialog*>(dialog)->reject();
        });
        driver.Then([](QWidget* picker) { qobject_cast<QDialog*>(picker)->accept(); });
        driver.Then([](QWidget* picker) {
            qobject_cast<QColorDialog*>(picker)->setCurrentColor(QColor(1, 2, 3));
            qobject_cast<QDialog*>(picker)->accept();
        });
        W().Action("actionColors")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle() && !QApplication::activeModalWidget(); }));
        QCOMPARE(colors.grid.g, 2);
        QVERIFY(colors.lineColors == before.lineColors);
        colors = before;
    }

    void screenshotWritesABitmapOfTheModeSize() {
        QTemporaryDir out;
        W().GetSession().Doc().screenshotFolder = out.path().toStdString() + "/";
        W().GetSession().Doc().captureMode = 3; // "Standard Window 2(450*450)"
        W().Action("actionScreenshot")->trigger();
        const QStringList shots = QDir(out.path()).entryList({"截图*.bmp"}, QDir::Files);
        QCOMPARE(shots.size(), 1);
        QCOMPARE(QImage(out.path() + "/" + shots.front()).size(), QSize(450, 450));
    }

    // "Include Results" shows the results beside the plot; a folder that does not exist is reported.
    void screenshotIncludesTheResultsAndReportsAMissingFolder() {
        QTemporaryDir out;
        W().GetSession().Doc().screenshotFolder = out.path().toStdString() + "/";
        W().GetSession().Doc().captureMode = 0;
        ClickRow("p1_p45_h_co_2_0_1850.msi");
        W().Action("actionScreenshot")->trigger();
        const QStringList shots = QDir(out.path()).entryList({"*.bmp"}, QDir::Files);
        QCOMPARE(shots.size(), 1);
        const QImage shot(out.path() + "/" + shots.front());
        const int right = W().View()->width() + 10;
        const QImage results = shot.copy(right, 0, shot.width() - right, shot.height());
        QImage white(results.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QVERIFY(DifferingShare(results, white) > 0.01);

        ModalDriver driver;
        W().GetSession().Doc().screenshotFolder = "/no/such/folder/";
        W().Action("actionScreenshot")->trigger();
        QVERIFY(WaitFor([&] { return !driver.boxes.isEmpty(); }));
        QCOMPARE(driver.boxes.front(),
                 QString("Save ScreenShot: The folder /no/such/folder/ does not exist."));
    }

    void noKeepsTheWindowOpen() {
        ModalDriver driver;
        QString prompt;
        driver.Then([&](QWidget* box) {
            prompt = BoxText(box);
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
        });
        QVERIFY(!W().close());
        QCOMPARE(prompt, QString("Vexlor: Do you want to quit?"));
        QVERIFY(W().isVisible());
        QCOMPARE(W().FileList()->RowCount(), 48);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
