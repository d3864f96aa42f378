#pragma once
#include <optional>
#include <string>
#include <vector>

class CQuadrelDoc;

inline constexpr size_t kAllResultsRows = 28;

// The lines of the "Current Results" pane for the document's selection list. The pane shows
// something only for one selected pattern, or for two of which one has a partner cut loaded. When
// the plot view exists, `readout` is its current readout text; it then ends the list under the
// mark information heading, as the line that the live update replaces.
std::vector<std::string> BuildCurrentResultLines(const CQuadrelDoc& doc,
                                                 const std::optional<std::string>& readout = std::nullopt);

// The "All Results" table: kAllResultsRows rows of one cell per selected pattern (rows[row][column]);
// no rows at all when nothing is selected. Row 0 names the file; the indicator lines follow from
// row 1 ("msi" files) or row 3, and lines beyond the last row are dropped.
std::vector<std::vector<std::string>> BuildAllResultRows(const CQuadrelDoc& doc);
