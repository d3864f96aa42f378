#pragma once

class CQuadrelDoc;
struct PatternFile;

// Pattern drag: the mouse moves the first selected pattern up and down; every press takes an undo
// snapshot, and undo and redo give a pattern back its own saved samples only.

// The pattern a drag, undo or redo acts on: the first selected pattern present in the table.
PatternFile* DraggedPattern(CQuadrelDoc& doc);

// Left button down in drag mode. False when nothing is selected.
bool TakeDragSnapshot(CQuadrelDoc& doc);

// One mouse move: every sample of the dragged pattern moves by `deltaDb`; its sample-dependent
// results are found again. False when nothing is selected.
bool DragPatternBy(CQuadrelDoc& doc, double deltaDb);

// Ctrl+Z and Ctrl+Y. False when nothing changed.
bool UndoDrag(CQuadrelDoc& doc);
bool RedoDrag(CQuadrelDoc& doc);
