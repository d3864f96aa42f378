#pragma once
#include <string>
#include <utility>
#include <vector>

#include "analysis/VerticalSideLobes.h"
#include "document/PatternTypes.h"

class CQuadrelDoc;

using SectorRows = std::vector<std::pair<std::string, std::string>>;

// Automatic sector rows from an envelope curve: the angles where its slope breaks, sorted; every two
// neighbouring break points more than 5 degrees apart bound one sector ("%.2f" texts).
SectorRows SectorsFromEnvelope(const CurveFile& envelope);

// The "v-plane.txt" envelope whose frequency range holds the pattern's frequency; null when none.
const CurveFile* FindVerticalEnvelope(const CQuadrelDoc& doc, const PatternFile& file);

// VSS: the side-lobe suppression of each sector row (manual rows, or rows from the envelope).
void RunSectorSuppression(const CQuadrelDoc& doc, const PatternFile& file, VerticalPass& pass);
