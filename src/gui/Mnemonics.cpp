#include "gui/Mnemonics.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

namespace {
// The letter after a single "&" ("&&" is a literal ampersand), or a null QChar.
QChar MnemonicOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}
} // namespace

QString WithMnemonic(const QString& text, QSet<QChar>& taken) {
    if (!MnemonicOf(text).isNull() || text.contains('&')) return text;
    // A Chinese text gets no Latin letter in the middle of its words.
    static const QRegularExpression chinese("[\\x{2e80}-\\x{9fff}]");
    if (text.contains(chinese)) return text;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() > 127 || !c.isLetter() || taken.contains(c.toUpper())) continue;
        taken.insert(c.toUpper());
        return text.left(i) + '&' + text.mid(i);
    }
    return text;
}

void AssignMnemonics(QWidget* dialog) {
    const QList<QAbstractButton*> buttons = dialog->findChildren<QAbstractButton*>();
    QList<QLabel*> labels;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->buddy() && !label->text().isEmpty()) labels << label;
    QSet<QChar> taken;
    for (QAbstractButton* button : buttons)
        if (const QChar c = MnemonicOf(button->text()); !c.isNull()) taken.insert(c);
    for (QLabel* label : labels)
        if (const QChar c = MnemonicOf(label->text()); !c.isNull()) taken.insert(c);
    for (QAbstractButton* button : buttons) button->setText(WithMnemonic(button->text(), taken));
    for (QLabel* label : labels) label->setText(WithMnemonic(label->text(), taken));
}
