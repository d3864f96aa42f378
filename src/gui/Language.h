#pragma once
#include <QString>

class QWidget;

// One language per run. The texts of the program are written once in the code (English, and the
// lab's Chinese where the program always used it); the chosen language's translation file turns
// each into that language. Rather than every call site asking for its translation, the texts are
// translated where they reach the screen: the main window's menus and panes once they are built,
// and every dialog and message box as it is shown.

// Loads the translation of `code` ("en" or "zh_CN"; anything else is English) for the whole
// program and translates each dialog as it appears. Later calls change the language of windows
// built afterwards.
void InstallLanguage(const QString& code);
QString CurrentLanguage();

// The translation of one text of the program (itself when the language has none).
QString Tr(const QString& text);
QString Tr(const char* text);
// A message of the engine, which may carry a path or a name before or after its fixed words: each
// line whole if the language has it, else its longest known ending and beginning are translated.
QString TrMessage(const QString& text);

// Translates the texts of `root` and its children: window title, menus and actions (with their
// status tips and tool tips), dock captions, labels, buttons, group boxes, table headers.
void TranslateWidgetTree(QWidget* root);
