#include "gui/Language.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTableWidget>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidget>

#include "gui/Mnemonics.h"

namespace {
constexpr const char* kContext = "Quadrel";
// Set on a widget whose texts were translated, so a dialog shown twice is not translated twice.
constexpr const char* kTranslatedProperty = "quadrelTranslated";

QString g_language = "en";

// Translates every dialog as it is shown; a dialog built by any part of the program passes here.
class DialogTranslator : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() &&
                (qobject_cast<QDialog*>(widget) || qobject_cast<QMessageBox*>(widget))) {
                TranslateWidgetTree(widget);
                AssignMnemonics(widget);
            }
        }
        return false;
    }
};

// A menu text as a sentence: no mnemonic ("&Open", "打开(&O)") and no "...".
QString Plain(QString text) {
    static const QRegularExpression chineseMnemonic("\\(&\\w\\)");
    text.remove(chineseMnemonic);
    text.remove('&');
    if (text.endsWith("...")) text.chop(3);
    return text;
}

void TranslateAction(QAction* action) {
    const QString original = action->text();
    const QString translated = Tr(original);
    const QString tip = action->statusTip();
    action->setText(translated);
    action->setStatusTip(tip.isEmpty() || tip == Plain(original) ? Plain(translated) : Tr(tip));
    if (action->toolTip() != Plain(original)) action->setToolTip(Tr(action->toolTip()));
    if (QMenu* menu = action->menu()) menu->setTitle(translated);
}

bool Known(const QString& text) {
    return !text.isEmpty() && Tr(text) != text;
}

// A piece of a message is translated only when it is long enough not to be a word inside a name.
constexpr qsizetype kShortestPiece = 4;

// The longest known beginning of `text` translated, the rest kept.
QString TrBeginning(const QString& text) {
    for (qsizetype length = text.size(); length >= kShortestPiece; --length)
        if (Known(text.left(length))) return Tr(text.left(length)) + text.mid(length);
    return text;
}

QString TrLine(const QString& line) {
    if (Known(line)) return Tr(line);
    for (qsizetype start = 1; start + kShortestPiece <= line.size(); ++start)
        if (Known(line.mid(start))) return TrBeginning(line.left(start)) + Tr(line.mid(start));
    return TrBeginning(line);
}

void TranslateHeaders(QTableWidget* table) {
    for (int c = 0; c < table->columnCount(); ++c)
        if (QTableWidgetItem* item = table->horizontalHeaderItem(c)) item->setText(Tr(item->text()));
}
} // namespace

void InstallLanguage(const QString& code) {
    static QTranslator* translator = nullptr;
    static DialogTranslator* dialogs = nullptr;
    if (!dialogs) {
        dialogs = new DialogTranslator(qApp);
        qApp->installEventFilter(dialogs);
    }
    g_language = code == "zh_CN" ? code : "en";
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    translator = new QTranslator(qApp);
    if (translator->load(":/i18n/quadrel_" + g_language + ".qm"))
        QCoreApplication::installTranslator(translator);
    // Qt's own dialogs (file chooser, print dialog, standard buttons) speak the run's language too,
    // from Qt's translations where they are installed.
    static QTranslator* qtTexts = nullptr;
    if (qtTexts) {
        QCoreApplication::removeTranslator(qtTexts);
        delete qtTexts;
        qtTexts = nullptr;
    }
    if (g_language == "en") return;
    qtTexts = new QTranslator(qApp);
    if (qtTexts->load("qtbase_" + g_language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
}

QString CurrentLanguage() {
    return g_language;
}

QString Tr(const QString& text) {
    if (text.isEmpty()) return text;
    const QByteArray utf8 = text.toUtf8();
    return QCoreApplication::translate(kContext, utf8.constData());
}

QString Tr(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

QString TrMessage(const QString& text) {
    // An English run need not look at a message with no character beyond the Latin ones.
    static const QRegularExpression beyondLatin("[^\\x{0}-\\x{2fff}]");
    if (g_language == "en" && !text.contains(beyondLatin)) return text;
    if (Known(text)) return Tr(text);
    QStringList lines = text.split('\n');
    for (QString& line : lines) line = TrLine(line);
    return lines.join('\n');
}

void TranslateWidgetTree(QWidget* root) {
    if (root->property(kTranslatedProperty).toBool()) return;
    root->setProperty(kTranslatedProperty, true);
    root->setWindowTitle(Tr(root->windowTitle()));
    for (QAction* action : root->findChildren<QAction*>()) TranslateAction(action);
    for (QDockWidget* dock : root->findChildren<QDockWidget*>())
        dock->setWindowTitle(Tr(dock->windowTitle()));
    for (QToolBar* bar : root->findChildren<QToolBar*>()) bar->setWindowTitle(Tr(bar->windowTitle()));
    for (QLabel* label : root->findChildren<QLabel*>())
        if (!label->property("dataText").toBool()) label->setText(Tr(label->text()));
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        button->setText(Tr(button->text()));
    for (QGroupBox* box : root->findChildren<QGroupBox*>()) box->setTitle(Tr(box->title()));
    for (QTableWidget* table : root->findChildren<QTableWidget*>()) TranslateHeaders(table);
    for (QComboBox* combo : root->findChildren<QComboBox*>())
        if (!combo->isEditable() && !combo->property("keepTexts").toBool())
            for (int i = 0; i < combo->count(); ++i) combo->setItemText(i, Tr(combo->itemText(i)));
    for (QTreeWidget* tree : root->findChildren<QTreeWidget*>())
        if (QTreeWidgetItem* header = tree->headerItem())
            for (int c = 0; c < header->columnCount(); ++c) header->setText(c, Tr(header->text(c)));
    if (auto* box = qobject_cast<QMessageBox*>(root)) box->setText(TrMessage(box->text()));
}
