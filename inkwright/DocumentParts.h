#pragma once
#include <string>
#include <tinyxml2.h>

#include "EditedDocument.h"

namespace inkwright {

// The body of the main document, whichever story is active.
XMLElement* MainBody(EditedDocument& edited);
// The root of a part the main document refers to by relationship type (styles, settings); null
// when there is none, or a new one when `create` is set.
XMLElement* RelatedRoot(EditedDocument& edited, const char* relationshipType, bool create = false);
// The width between the page margins of the last section, in twentieths of a point.
int TextWidth(EditedDocument& edited);
// The part of the default header (`footer` false) or footer of the last section, made when missing.
std::string HeaderFooterPart(EditedDocument& edited, bool footer);
// Adds a picture part next to the active story and returns its relationship id.
std::string AddPicturePart(EditedDocument& edited, const std::string& bytes, const std::string& extension);
// Declares the drawing namespaces on a story's root, so inline pictures parse anywhere.
void EnsureDrawingNamespaces(XMLElement* root);

} // namespace inkwright
