#pragma once
#include <tinyxml2.h>
#include <vector>

namespace inkwright {

using tinyxml2::XMLElement;

// The paragraphs of a story (body, header, footer) in reading order, table cells included, row by
// row and cell by cell.
std::vector<XMLElement*> Paragraphs(XMLElement* storyRoot);
// The first paragraph of a story; an empty one is added when the story has none.
XMLElement* FirstParagraph(XMLElement* storyRoot);
int IndexOf(const std::vector<XMLElement*>& paragraphs, const XMLElement* paragraph);
// Whether `paragraph` is one of Paragraphs(storyRoot), found from the paragraph up instead of by
// listing the story. The paragraph must be a live element.
bool InStory(const XMLElement* paragraph, const XMLElement* storyRoot);
// The paragraph after (before) `paragraph` in reading order within `storyRoot`; null at the end
// (start). Walks the tree from the paragraph, so moving cell by cell does not list the story.
XMLElement* NextParagraph(XMLElement* paragraph, XMLElement* storyRoot);
XMLElement* PreviousParagraph(XMLElement* paragraph, XMLElement* storyRoot);

// The innermost table, row and cell around a paragraph; null outside a table.
XMLElement* EnclosingTable(XMLElement* paragraph);
XMLElement* EnclosingRow(XMLElement* paragraph);
XMLElement* EnclosingCell(XMLElement* paragraph);

// Every table of the story in reading order (nested tables after the cell that holds them).
std::vector<XMLElement*> Tables(XMLElement* storyRoot);

// A position in the story: paragraph index and character offset.
struct StoryPosition {
    int paragraph = 0;
    int offset = 0;
    auto operator<=>(const StoryPosition&) const = default;
};

// Where pages begin (see the library header: explicit breaks only), in reading order; the story's
// start is always the first.
std::vector<StoryPosition> PageStarts(const std::vector<XMLElement*>& paragraphs);
// Every inline picture, at the offset of its character.
std::vector<StoryPosition> PicturePositions(const std::vector<XMLElement*>& paragraphs);
// The outline level 1-9 of a heading paragraph, 0 for body text: from its own outline level, else
// its style's (`styles` is the styles part root, may be null), else a style named "heading N".
int HeadingLevel(XMLElement* paragraph, XMLElement* styles);

} // namespace inkwright
