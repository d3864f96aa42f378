#pragma once
#include <optional>

#include "document/PatternTypes.h"

class CQuadrelDoc;
class ResultDraft;

// The gain group reads across files: the reference curves of the gain table and the series of a
// file (every file whose name fields 6 to 11 equal its own: the same port, polarisation, plane,
// component, tilt and direction at other frequencies). Both are indexed once per pass over the
// table instead of once per file.

// The gain of `file` substituted from the gain-level curves (see GainFromCurves).
std::optional<float> CurveGainOf(const CQuadrelDoc& doc, const PatternFile& file);

// Largest minus smallest gain over the series of `file`. Files with no known gain are left out. A
// file whose preparation has not run yet while gains come from the curves takes part with the gain
// its preparation will give it, so the spread does not depend on the order of analysis. Gains and
// done-flags are read through `draft`, as the run that asks has left them.
float SeriesGainSpread(const CQuadrelDoc& doc, const PatternFile& file, const ResultDraft& draft);

// Within one pass over the whole table the curve gain of a file cannot change, while the spread of
// a series asks for it once per member: for the life of this object each one is computed once.
class CurveGainPass {
  public:
    explicit CurveGainPass(const CQuadrelDoc& doc);
    ~CurveGainPass();
    CurveGainPass(const CurveGainPass&) = delete;
    CurveGainPass& operator=(const CurveGainPass&) = delete;

  private:
    const CQuadrelDoc& m_doc;
};
