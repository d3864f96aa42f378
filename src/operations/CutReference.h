#pragma once
#include <vector>

#include "document/PatternTypes.h"

class CQuadrelDoc;

// A cross-polar cut is moved by what its co-polar cut needs, so that the pair stays aligned and
// the cross-polar discrimination is kept.

// The cut whose reference `file` follows: itself when co-polar, its co-polar partner when
// cross-polar. Null for any other cut, and for a cross-polar cut whose partner is not loaded
// (after telling the user that the result will be off).
const PatternFile* FollowedCut(const CQuadrelDoc& doc, const PatternFile& file);

// Of a cut that is followed: the direction of its maximum as the analysis last found it
// (vertical "e" or horizontal "h" cuts; 0 otherwise) ...
double ReferenceDirection(const PatternFile& file);
// ... its nominal direction (the tilt of a vertical cut, the direction token of a horizontal one) ...
double NominalDirection(const PatternFile& file);
// ... and its reference level.
double ReferenceLevel(const PatternFile& file);

// The loaded files of the selection list, in its order.
std::vector<const PatternFile*> SelectedFiles(const CQuadrelDoc& doc);
