// The window between runs and across antennas: whole folders opened and closed, the layout and the
// recent lists kept in the configuration folder over a restart, the readout with many cuts
// selected, hints on every menu command, and one language per run.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "GuiDriver.h"
#include "gui/FileListPane.h"
#include "gui/Language.h"
#include "gui/MainWindow.h"
#include "gui/Mnemonics.h"
#include "gui/PlotView.h"
#include "gui/ResultPanes.h"
#include "gui/WindowState.h"

namespace {
const QString kCampaign = QUADREL_SOURCE_DIR "/samples/campaign";
const QString kAntenna = kCampaign + "/Lab1_Proj7_QX6518_20261208_B01_SN00001";

QStringList PaneLines(const QListWidget* pane) {
    QStringList lines;
    for (int i = 0; i < pane->count(); ++i) lines << pane->item(i)->text();
    return lines;
}

// Every text a person reads in the menus of `window`, with where it was found.
QStringList MenuTexts(MainWindow& window) {
    QStringList texts;
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
        if (menu->objectName().startsWith("recent")) continue; // paths
        texts << "menu: " + menu->title();
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            texts << "action: " + action->text() << "tip: " + action->statusTip();
        }
    }
    for (QDockWidget* dock : window.findChildren<QDockWidget*>()) texts << "dock: " + dock->windowTitle();
    for (QAbstractItemView* pane : window.findChildren<QAbstractItemView*>())
        if (QAbstractItemModel* model = pane->model(); model && pane->isVisible())
            for (int c = 0; c < model->columnCount(); ++c)
                if (const QVariant header = model->headerData(c, Qt::Horizontal); header.isValid())
                    texts << "pane header: " + header.toString();
    return texts;
}

QStringList DialogTexts(QWidget* dialog) {
    QStringList texts{"title: " + dialog->windowTitle()};
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (!label->text().isEmpty() && !label->property("dataText").toBool())
            texts << "label: " + label->text();
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty()) texts << "button: " + button->text();
    for (QGroupBox* box : dialog->findChildren<QGroupBox*>())
        if (!box->title().isEmpty()) texts << "group: " + box->title();
    for (QComboBox* combo : dialog->findChildren<QComboBox*>())
        if (!combo->property("keepTexts").toBool())
            for (int i = 0; i < combo->count(); ++i) texts << "item: " + combo->itemText(i);
    for (QTreeWidget* tree : dialog->findChildren<QTreeWidget*>())
        for (int c = 0; c < tree->headerItem()->columnCount(); ++c)
            texts << "header: " + tree->headerItem()->text(c);
    for (QTableWidget* table : dialog->findChildren<QTableWidget*>())
        for (int c = 0; c < table->columnCount(); ++c)
            if (table->horizontalHeaderItem(c)) texts << "header: " + table->horizontalHeaderItem(c)->text();
    return texts;
}

// The texts of `texts` that belong to the other language than `language`: Chinese characters in
// an English run; English words in a Chinese run (acronyms, units and file formats are neither).
// The program's own English texts keep their full-width punctuation ("Exporting sucess！"): it is
// not Chinese text.
QStringList OtherLanguage(const QStringList& texts, const QString& language) {
    static const QRegularExpression chinese("[\\x{3400}-\\x{9fff}]");
    static const QRegularExpression word("\\b[A-Za-z]*[a-z][A-Za-z]*\\b");
    static const QStringList names{"Pln", "Msi", "Xml", "Txt",    "TMVmsi", "Excel",   "Word", "dB",
                                   "dBi", "dBd", "XdB", "Vexlor", "Norvan", "Quadrel", "Unit", "Inkwright"};
    QStringList found;
    for (const QString& text : texts) {
        const QString shown = text.section(": ", 1).remove('&');
        if (shown.startsWith('/')) continue; // a folder's path is in no language
        if (language == "en") {
            if (shown.contains(chinese)) found << text;
            continue;
        }
        for (auto it = word.globalMatch(shown); it.hasNext();)
            if (const QString w = it.next().captured(); w.size() > 1 && !names.contains(w)) {
                found << text;
                break;
            }
    }
    return found;
}
} // namespace

class WindowSessionTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<MainWindow> m_window;

    MainWindow& W() { return *m_window; }
    void Start() {
        m_window = std::make_unique<MainWindow>((m_config->path() + "/").toStdString());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    int Rows() const { return m_window->FileList()->model()->rowCount(); }

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_config = std::make_unique<QTemporaryDir>();
        Start();
    }
    void cleanup() {
        m_window.reset();
        m_config.reset();
    }

    void recentListsKeepNewestFirstOnce() {
        const QStringList nine{"0", "1", "2", "3", "4", "5", "6", "7", "8"};
        const std::tuple<QStringList, QStringList, QStringList> cases[] = {
            {{"a", "b"}, {"c"}, {"c", "a", "b"}},
            {{"a", "b", "c"}, {"c/"}, {"c", "a", "b"}},
            {{}, nine, {"8", "7", "6", "5", "4", "3", "2", "1"}}};
        for (const auto& [before, opened, after] : cases)
            QCOMPARE(WindowState::WithRecent(before, opened), after);
    }

    void mnemonicsTakeFreeLetters() {
        const std::tuple<QString, QString> cases[] = {{"OK", "&OK"},
                                                      {"Cancel", "&Cancel"},
                                                      {"Browse...", "&Browse..."},
                                                      {"Open &Folder", "Open &Folder"},
                                                      {"Bold", "Bo&ld"},
                                                      {"中文", "中文"},
                                                      {"垂直 XdB", "垂直 XdB"},
                                                      {"Copy", "Co&py"}};
        QSet<QChar> taken;
        for (const auto& [text, expected] : cases) QCOMPARE(WithMnemonic(text, taken), expected);
    }

    // The engine's messages carry paths and names around their fixed words.
    void messagesAroundPathsAreTranslated() {
        const std::tuple<const char*, QString, QString> cases[] = {
            {"en", "/lab/a.xml文件在磁盘上不存在", "/lab/a.xml does not exist on disk"},
            {"en", "LAST ERROR: 交叉极化方向图(p1_cr.msi)没有找到对应的主极化交叉图，故没有极化。",
             "LAST ERROR: cross-polar pattern (p1_cr.msi) has no co-polar pattern loaded, so it is drawn "
             "without a "
             "reference."},
            {"en", "Failed to save the file", "Failed to save the file"},
            {"zh_CN", "No such file or folder: /lab/x", "没有这个文件或文件夹：/lab/x"},
            {"zh_CN", "n: Path", "n: 路径"},
            {"zh_CN", "Failed to save the file\nNo data, select data.",
             "文件保存失败\n没有数据，请选择数据。"}};
        for (const auto& [language, message, shown] : cases) {
            InstallLanguage(language);
            const QString translated = TrMessage(message);
            InstallLanguage("en");
            QCOMPARE(translated, shown);
        }
    }

    void openFolderAndCloseAll() {
        ModalDriver driver;
        driver.Then([](QWidget* top) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            QVERIFY(dialog);
            dialog->setDirectory(kAntenna);
            static_cast<QDialog*>(dialog)->accept();
        });
        W().Action("actionOpenFolder")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle(); }));
        QCOMPARE(Rows(), 48);
        QVERIFY2(QRegularExpression("^Loaded 48 cuts from 1 folder in \\d+\\.\\d s$")
                     .match(W().statusBar()->currentMessage())
                     .hasMatch(),
                 qPrintable(W().statusBar()->currentMessage()));
        QCOMPARE(W().findChild<QMenu*>("recentFoldersMenu")->actions().front()->text(), kAntenna);
        QVERIFY(W().findChild<QMenu*>("recentMenu")->actions().isEmpty());

        // Nothing edited: closed without a question; the same antenna opens again as one list.
        W().FileList()->SelectAllRows();
        W().Action("actionCloseAll")->trigger();
        QCOMPARE(Rows(), 0);
        QVERIFY(W().GetSession().Doc().selectionList.empty());
        QVERIFY(W().CurrentResults()->count() == 0);
        W().OpenPaths({kAntenna});
        QCOMPARE(Rows(), 48);

        // An edit not saved: the question comes first, and No keeps everything.
        W().FileList()->setCurrentIndex(W().FileList()->model()->index(0, 0));
        driver.Then([](QWidget* dialog) {
            SetEdit(dialog, "IDC_EDIT_VALUE", "3");
            Click(dialog, "okButton");
        });
        W().Action("actionLevelAdjust")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle(); }));
        for (const auto& [answer, rows] : {std::pair{QMessageBox::No, 48}, std::pair{QMessageBox::Yes, 0}}) {
            QString asked;
            driver.Then([&asked, answer = answer](QWidget* box) {
                asked = box->objectName();
                static_cast<QMessageBox*>(box)->button(answer)->click();
            });
            W().Action("actionCloseAll")->trigger();
            QVERIFY(WaitFor([&] { return driver.Idle(); }));
            QCOMPARE(asked, QString("closeAllPrompt"));
            QCOMPARE(Rows(), rows);
        }
    }

    // A planning file chosen in Open becomes a measurement folder beside it, which is opened.
    void openImportsAPlanningFile() {
        QTemporaryDir data;
        QVERIFY(
            QFile::copy(QUADREL_SOURCE_DIR "/tests/data/real/B800A065-18-0E.pln", data.path() + "/a.pln"));
        ModalDriver driver;
        driver.Then([&data](QWidget* top) {
            auto* dialog = qobject_cast<QFileDialog*>(top);
            dialog->setDirectory(data.path());
            dialog->selectNameFilter(dialog->nameFilters().value(1)); // the planning files
            // The name as typed: the dialog lists the folder on a thread of its own.
            QTimer::singleShot(300, dialog, [dialog, &data] {
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(data.path() + "/a.pln");
                static_cast<QDialog*>(dialog)->accept();
            });
        });
        QString asked;
        driver.Then([&asked](QWidget* box) {
            asked = box->objectName();
            static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
        });
        W().Action("actionOpen")->trigger();
        QVERIFY(WaitFor([&] { return driver.Idle(); }));
        QCOMPARE(asked, QString("importPrompt"));
        QCOMPARE(Rows(), 2); // the horizontal and the vertical cut
        const QStringList made = QDir(data.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(made.size(), 1);
        QCOMPARE(W().findChild<QMenu*>("recentFoldersMenu")->actions().front()->text(),
                 data.path() + "/" + made[0]);
    }

    // The information of a cut lists the reader's doubts about its file, or says there were none.
    void patternInformationListsTheLoadWarnings() {
        QTemporaryDir data;
        const QString folder = data.path() + "/Lab_P_M_20261208_B_SN";
        QVERIFY(QDir().mkpath(folder));
        QByteArray text = "NAME X\r\nFREQUENCY 1800\r\n720\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
        for (int i = 0; i < 720; ++i)
            text += (i == 5 ? QByteArray("GAIN 12 dBi") : QByteArray::number(i * 0.5) + " 3.00") + "\r\n";
        QFile doubtfulFile(folder + "/p9_p45_h_co_2_0_1850.msi");
        QVERIFY(doubtfulFile.open(QIODevice::WriteOnly));
        doubtfulFile.write(text);
        doubtfulFile.close();
        W().OpenPaths({folder, kAntenna + "/p1_p45_h_co_2_0_1850.msi"});
        const std::pair<const char*, bool> files[] = {{"p9_p45_h_co_2_0_1850.msi", true},
                                                      {"p1_p45_h_co_2_0_1850.msi", false}};
        for (const auto& [name, doubtful] : files) {
            const QModelIndexList found = W().FileList()->model()->match(
                W().FileList()->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            W().FileList()->setCurrentIndex(found.front());
            QStringList shown;
            ModalDriver driver;
            driver.Then([&shown](QWidget* dialog) {
                auto* list = dialog->findChild<QListWidget*>("loadWarnings");
                for (int i = 0; list && i < list->count(); ++i) shown << list->item(i)->text();
                static_cast<QDialog*>(dialog)->reject();
            });
            W().Action("actionPatternInfo")->trigger();
            QVERIFY(WaitFor([&] { return driver.Idle(); }));
            const PatternFile* file =
                W().GetSession().Doc().Find(W().GetSession().Doc().selectionList.front());
            QVERIFY(file);
            QVERIFY(file->warnings.empty() != doubtful);
            QStringList expected;
            for (const std::string& warning : file->warnings) expected << QString::fromStdString(warning);
            QCOMPARE(shown, doubtful ? expected : QStringList{"None: the file was read without doubts."});
        }
    }

    void layoutAndRecentListsSurviveARestart() {
        W().OpenPaths({kAntenna, kAntenna + "/p1_p45_h_co_2_0_1850.msi"});
        W().State().SetLastFolder("open", kCampaign);
        W().resize(1000, 700);
        W().findChild<QDockWidget*>("allResultsDock")->close();
        ModalDriver driver;
        driver.Then([](QWidget* box) { static_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click(); });
        QVERIFY(W().close());
        QVERIFY(QFile::exists(m_config->path() + "/Window.ini"));

        Start();
        QCOMPARE(W().size(), QSize(1000, 700));
        QVERIFY(W().findChild<QDockWidget*>("allResultsDock")->isHidden());
        QVERIFY(!W().findChild<QDockWidget*>("currentResultsDock")->isHidden());
        QCOMPARE(W().findChild<QMenu*>("recentFoldersMenu")->actions().front()->text(), kAntenna);
        QCOMPARE(W().findChild<QMenu*>("recentMenu")->actions().front()->text(),
                 kAntenna + "/p1_p45_h_co_2_0_1850.msi");
        QCOMPARE(W().State().LastFolder("open"), kCampaign);
    }

    void manyCutsNameTheNearestAndSayWhy() {
        W().OpenPaths({kAntenna});
        W().Action("actionCartesian")->trigger();
        const QStringList cuts{"p1_p45_h_co_2_0_1710.msi", "p1_p45_h_co_2_0_1850.msi",
                               "p1_p45_h_co_2_0_2170.msi"};
        QItemSelection selection;
        for (const QString& cut : cuts) {
            const QModelIndexList found = W().FileList()->model()->match(
                W().FileList()->model()->index(0, 0), Qt::DisplayRole, cut, 1, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            selection.select(found.front(), found.front());
        }
        W().FileList()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
        QCOMPARE(W().GetSession().Doc().selectionList.size(), size_t(3));
        QVERIFY(PaneLines(W().CurrentResults()).front().startsWith("3 cuts are selected"));
        MoveMouse(W().View(), W().View()->rect().center());
        const QString readout = PaneLines(W().CurrentResults()).last();
        QVERIFY2(readout.contains("dB\u3000") && cuts.contains(readout.section("dB\u3000", 1)),
                 qPrintable(readout));
    }

    void everyMenuCommandHasAHintAndTheListHasKeys() {
        for (const QString& text : MenuTexts(W()))
            QVERIFY2(text != "tip: ", qPrintable("no status tip: " + MenuTexts(W()).join(" | ")));
        W().OpenPaths({kAntenna});
        QCOMPARE(W().Action("actionNextCut")->shortcut(), QKeySequence("Alt+Down"));
        for (const auto& [action, row] : {std::pair{"actionNextCut", 0}, std::pair{"actionNextCut", 1},
                                          std::pair{"actionPreviousCut", 0}}) {
            W().Action(action)->trigger();
            QCOMPARE(W().FileList()->currentIndex().row(), row);
            QCOMPARE(W().GetSession().Doc().selectionList.size(), size_t(1));
        }
        // Pattern Drag stays on after a drag.
        W().Action("actionPatternDrag")->trigger();
        const QPoint c = W().View()->rect().center();
        DragMouse(W().View(), c, c + QPoint(0, -30));
        QVERIFY(W().Action("actionPatternDrag")->isChecked());
    }

    void oneLanguagePerRun_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en";
        QTest::newRow("Chinese") << "zh_CN";
    }
    void oneLanguagePerRun() {
        QFETCH(QString, language);
        W().State().SetLanguage(language);
        Start();
        QCOMPARE(CurrentLanguage(), language);
        W().OpenPaths({kAntenna});
        W().FileList()->setCurrentIndex(W().FileList()->model()->index(0, 0));
        QStringList texts = MenuTexts(W());
        const char* dialogs[] = {
            "actionHSetup",      "actionVSetup",       "actionRadiationSetup",    "actionEnvelopeConfig",
            "actionNaming",      "actionVerticalList", "actionHorizontalList",    "actionRotateDisplay",
            "actionLevelAdjust", "actionDrawSetting",  "actionScreenshotSetting", "actionScreenshotPath",
            "actionSaveAs",      "actionExport",       "actionXmlConfig",         "actionPatternInfo",
            "actionColors",      "actionAbout",        "actionOpenFolder"};
        for (const char* name : dialogs) {
            ModalDriver driver;
            driver.Then([&texts, name](QWidget* dialog) {
                texts << DialogTexts(dialog).replaceInStrings(QRegularExpression("^"), QString(name) + " ");
                static_cast<QDialog*>(dialog)->reject();
            });
            W().Action(name)->trigger();
            QVERIFY2(WaitFor([&] { return driver.Idle(); }), name);
        }
        const QStringList other = OtherLanguage(texts, language);
        for (const QString& text : other) qWarning("other language: %s", qPrintable(text));
        QVERIFY2(other.isEmpty(), qPrintable(QString::number(other.size()) + " texts of the other language"));
        W().State().SetLanguage("en");
    }
};

QTEST_MAIN(WindowSessionTest)
#include "WindowSessionTest.moc"
