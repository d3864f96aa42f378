#pragma once

class CQuadrelDoc;
struct PatternFile;

// Pattern drag: the mouse moves the first selected pattern up and down. Every press is one entry
// of the undo history (kept by the commands), which gives the pattern back its own samples only.

// The pattern a drag acts on: the first selected pattern present in the table.
PatternFile* DraggedPattern(CQuadrelDoc& doc);

// One mouse move: every sample of the dragged pattern moves by `deltaDb`; its sample-dependent
// results are found again. False when nothing is selected.
bool DragPatternBy(CQuadrelDoc& doc, double deltaDb);
