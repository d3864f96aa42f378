#pragma once
#include <QSet>
#include <QString>

class QWidget;

// Gives the buttons and the labelled fields of a dialog keyboard mnemonics (Alt+letter) where
// their texts have none: the first letter of the text not yet taken in that dialog, else none.
void AssignMnemonics(QWidget* dialog);

// `text` with "&" before its first letter not in `taken` (which gains it); unchanged when the text
// has a mnemonic already or no free letter.
QString WithMnemonic(const QString& text, QSet<QChar>& taken);
