#pragma once
#include <tinyxml2.h>

namespace inkwright {

using tinyxml2::XMLElement;

// Inserts a table of `rows` x `columns` empty cells at `offset` of `paragraph`: before the paragraph
// at its start, else after the text before the offset (the paragraph is split). A paragraph always
// follows the table. Returns the first cell's paragraph. `tableStyle` may be empty.
XMLElement* InsertTableAt(XMLElement* paragraph, int offset, int rows, int columns, int textWidth,
                          const char* tableStyle);

// Empty rows like the one that holds `paragraph`, above or below it; returns the first new row's
// first paragraph.
XMLElement* InsertEmptyRows(XMLElement* paragraph, int count, bool below);
// An empty column left or right of the cell that holds `paragraph`; returns the new cell's paragraph
// in the same row.
XMLElement* InsertEmptyColumn(XMLElement* paragraph, bool right);
// A copy of the row (with its content) pasted above it.
void DuplicateRow(XMLElement* paragraph);
// A copy of the column (with its content) pasted left of it.
void DuplicateColumn(XMLElement* paragraph);
// The table around `paragraph` laid out for pages: its first `headingRows` rows repeat at the top
// of every page the table runs onto and stay with the row after them, and no row is split across
// two pages.
void KeepTableTogetherAcrossPages(XMLElement* paragraph, int headingRows);
// Gives every column of the table around `paragraph` the width `columnWidth` (twentieths of a point)
// and the table the sum of them, so a table of fewer columns is narrower instead of stretched.
void SetEqualColumnWidths(XMLElement* paragraph, int columnWidth);
// Sets or clears "keep with next" of a paragraph (its properties made when missing).
void SetKeepWithNext(XMLElement* paragraph, bool on);
// Removes the innermost table around `paragraph`; returns the paragraph that follows it.
XMLElement* DeleteTableAround(XMLElement* paragraph);

} // namespace inkwright
