#pragma once
#include <optional>

#include "operations/SampleChange.h"

class CQuadrelDoc;

// Pattern drag: the mouse moves the first selected pattern up and down. Every press is one entry
// of the undo history (kept by the commands), which gives the pattern back its own samples only.

// The pattern a drag acts on: the first selected pattern present in the table.
const PatternFile* DraggedPattern(const CQuadrelDoc& doc);

// One mouse move: the dragged pattern's samples, every one moved by `deltaDb`. Nothing when nothing
// is selected.
std::optional<SampleChange> DraggedSamples(const CQuadrelDoc& doc, double deltaDb);
