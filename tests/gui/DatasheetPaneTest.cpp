// The Datasheet pane on the real main window (offscreen platform): limits chosen through the menu's
// file dialog fill it with the groups `quadrel-cli check` finds, a row click selects that group's
// cuts, and the choice is remembered for the antenna model.
#include <QAction>
#include <QDockWidget>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "GuiDriver.h"
#include "gui/DatasheetPane.h"
#include "gui/MainWindow.h"

namespace {
const QString kCampaign = QUADREL_SOURCE_DIR "/samples/campaign";
const QString kLimits = QUADREL_SOURCE_DIR "/resources/limits/QX6518.toml";
} // namespace

class DatasheetPaneTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<MainWindow> m_window;

    MainWindow& W() { return *m_window; }
    DatasheetPane* Pane() { return W().findChild<DatasheetPane*>("datasheetPane"); }
    QString ConfigDir() const { return m_config->path() + "/"; }
    QStringList CheckCsv(const QString& limits) {
        QProcess cli;
        cli.start(QUADREL_CLI_PATH,
                  {"--config-dir", ConfigDir(), "check", "--csv", "--limits", limits, kCampaign});
        cli.waitForFinished(60000);
        QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        lines.removeFirst();
        return lines;
    }
    // Analysis > Datasheet Limits…, the file typed into the dialog as a person would.
    void ChooseThroughMenu(const QString& path) {
        ModalDriver modal;
        modal.Then([path](QWidget* top) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            QVERIFY(dialog);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText(path);
            static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
        });
        W().Action("actionDatasheetLimits")->trigger();
        QVERIFY(modal.Idle());
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // The non-native dialog, which the offscreen platform shows and the driver can fill.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    }

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

    void loadingLimitsFillsThePaneAsTheCheckFindsThem() {
        QVERIFY(Pane());
        QCOMPARE(Pane()->topLevelItemCount(), 0);
        ChooseThroughMenu(kLimits);
        const QStringList groups = CheckCsv(kLimits);
        QCOMPARE(Pane()->topLevelItemCount(), groups.size());
        QVERIFY(W().findChild<QDockWidget*>("datasheetDock")->isVisible());
        QCOMPARE(W().statusBar()->currentMessage(), QString("Datasheet: PASS"));
        for (int i = 0; i < Pane()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = Pane()->topLevelItem(i);
            QCOMPARE(item->text(13), QString("PASS"));
            QCOMPARE(item->background(13).color(), QColor("#C6EFCE"));
        }
        // Remembered for the model: the chooser opens at it next time.
        ModalDriver modal;
        QString opened;
        modal.Then([&opened](QWidget* top) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            QVERIFY(dialog);
            opened = dialog->selectedFiles().value(0);
            dialog->reject();
        });
        W().Action("actionDatasheetLimits")->trigger();
        QCOMPARE(QFileInfo(opened).canonicalFilePath(), QFileInfo(kLimits).canonicalFilePath());
    }

    void failingGroupsAreRedAndSortByMargin() {
        QTemporaryDir dir;
        const QString limits = dir.path() + "/tight.toml";
        QFile file(limits);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[[band]]\nname = \"all\"\nfrom = 1710\nto = 2170\n[[band.limit]]\nindicator = "
                   "\"FBRco\"\nmin = 27\n"
                   "[[band]]\nname = \"n78\"\nfrom = 3300\nto = 3800\n[[band.limit]]\nindicator = "
                   "\"HBW3\"\nmin = 50\n"
                   "ports = [1]\ntilts = [2]\n");
        file.close();
        QVERIFY(Pane()->LoadLimits(limits));
        QCOMPARE(W().statusBar()->currentMessage(), QString("Datasheet: FAIL (3 of 5 groups fail)"));
        Pane()->sortByColumn(12, Qt::AscendingOrder); // margin
        QStringList verdicts;
        double previous = -1e30;
        for (int i = 0; i < Pane()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = Pane()->topLevelItem(i);
            verdicts << item->text(13);
            const double margin = item->text(12) == "—" ? 1e30 : item->text(12).toDouble();
            QVERIFY(margin >= previous);
            previous = margin;
            const QString fill = item->text(13) == "PASS"   ? "#C6EFCE"
                                 : item->text(13) == "FAIL" ? "#FFC7CE"
                                                            : "#D9D9D9";
            QCOMPARE(item->background(0).color(), QColor(fill));
        }
        QCOMPARE(verdicts, (QStringList{"FAIL", "FAIL", "PASS", "PASS", "no data"}));
    }

    void rowClickSelectsThatGroupsCuts() {
        QVERIFY(Pane()->LoadLimits(kLimits));
        // The HBW3 group of port 2, tilt 6 in the upper band: its horizontal co-polar cuts.
        QTreeWidgetItem* row = nullptr;
        for (int i = 0; i < Pane()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = Pane()->topLevelItem(i);
            if (item->text(0) == "1710-1880" && item->text(1) == "p2" && item->text(3) == "6" &&
                item->text(4) == "HBW3")
                row = item;
        }
        QVERIFY(row);
        Pane()->scrollToItem(row);
        const QRect rect = Pane()->visualItemRect(row);
        QTest::mouseClick(Pane()->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 8, rect.center().y()));
        std::vector<std::string> selected = W().GetSession().Doc().selectionList;
        QVERIFY(!selected.empty());
        for (const char* expected : {"p2_m45_h_co_6_0_1710.msi", "p2_m45_h_co_6_0_1850.msi"}) {
            bool found = false;
            for (const std::string& key : selected)
                found = found || (key.size() >= 24 && key.substr(key.size() - 24) == expected);
            QVERIFY2(found, expected);
        }
        for (const std::string& key : selected)
            QVERIFY2(key.find("_2170.msi") == std::string::npos, key.c_str());
    }

    void refusedLimitsAreShownAndKeepThePane() {
        QVERIFY(Pane()->LoadLimits(kLimits));
        const int rows = Pane()->topLevelItemCount();
        QTemporaryDir dir;
        const QString bad = dir.path() + "/bad.toml";
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[[band]]\nfrom = 1710\nto = 1880\n[[band.limit]]\nindicator = \"HBW\"\nmin = 1\n");
        file.close();
        ModalDriver modal;
        QVERIFY(!Pane()->LoadLimits(bad));
        QCOMPARE(modal.boxes.size(), 1);
        QVERIFY2(modal.boxes.front().contains("bad.toml:5: unknown indicator \"HBW\""),
                 qPrintable(modal.boxes.front()));
        QCOMPARE(Pane()->topLevelItemCount(), rows);
    }
};

QTEST_MAIN(DatasheetPaneTest)
#include "DatasheetPaneTest.moc"
