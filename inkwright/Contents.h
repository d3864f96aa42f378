#pragma once
#include <tinyxml2.h>

namespace inkwright {

using tinyxml2::XMLElement;

// The table of contents is a TOC field over the headings of levels 1 to 3: one entry paragraph per
// heading (style "TOCn", the heading's text, a tab, its page number), the field marked dirty so that
// a word processor refreshes it when it opens the document.

// Inserts a table of contents before `before` (a paragraph of the body).
void InsertContentsBefore(XMLElement* body, XMLElement* before, XMLElement* styles);
// Rebuilds the entries of the document's first table of contents from its current headings; false
// when the body has none. When `keep` is one of the paragraphs replaced, it becomes the paragraph
// that follows the contents.
bool RebuildContents(XMLElement* body, XMLElement* styles, XMLElement*& keep);
// Asks a word processor to refresh every field when it opens the document (settings part root).
void RequestFieldUpdate(XMLElement* settings);

} // namespace inkwright
