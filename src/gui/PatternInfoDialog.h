#pragma once

class QWidget;
struct PatternFile;

// File > Pattern Information: what the program knows of one loaded cut (where it came from, how
// its name was read, its samples) and the doubts the reader had about it, so a suspicious curve
// can be traced to its file. Modal; closes with Close.
void RunPatternInfoDialog(QWidget* parent, const PatternFile& file);
