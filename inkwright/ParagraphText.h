#pragma once
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace inkwright {

using tinyxml2::XMLElement;

// The characters of a paragraph as the selection counts them: each character of a run's text, and
// one character for each tab, line break, symbol or picture. Field instructions and deleted text are
// not characters. Offsets count Unicode code points.
struct Piece {
    XMLElement* run = nullptr;  // the w:r
    XMLElement* node = nullptr; // the w:t, or the one-character element
    int start = 0;
    int length = 0;
    bool text = false; // w:t (its characters can be split)
};

// Stands for a one-character element in the paragraph's text: never equal to typed text.
inline constexpr char32_t kObjectCharacter = U'\uFFFC';

std::vector<Piece> Pieces(XMLElement* paragraph);
std::u32string ParagraphText(XMLElement* paragraph);
int ParagraphLength(XMLElement* paragraph);

std::u32string FromUtf8(const std::string& text);
std::string ToUtf8(const std::u32string& text);

// The formatting of text typed at an offset: the run properties of the character before it (or
// after it at the paragraph's start); null when the paragraph has no runs.
XMLElement* FormattingAt(XMLElement* paragraph, int offset);

// Types `text` at `offset` as one new run with a copy of `formatting` (may be null) and, for a
// `color` other than 0, that font colour. A line feed becomes a line break, a tab a tab. Returns the
// number of characters inserted.
int InsertTextAt(XMLElement* paragraph, int offset, const std::string& text, const XMLElement* formatting,
                 int color);
// Inserts a run made by the caller at `offset` (a picture); the run counts as its pieces do.
void InsertRunAt(XMLElement* paragraph, int offset, XMLElement* run);
// Removes the characters [start, end); runs left empty are removed.
void DeleteText(XMLElement* paragraph, int start, int end);
// Splits a paragraph before `offset`: the characters from there on move into a new paragraph with
// the same paragraph properties, inserted after it and returned.
XMLElement* SplitParagraph(XMLElement* paragraph, int offset);
// Applies a run property to the characters [start, end): `name` (w:color, w:highlight) with `value`,
// or removes it when `value` is empty.
void FormatRange(XMLElement* paragraph, int start, int end, const char* name, const std::string& value);

// The font colour "RRGGBB" of a Color, "auto" for any other value.
std::string ColorHex(int color);

} // namespace inkwright
