#pragma once
#include <string>
#include <vector>

struct PatternFile;
class CQuadrelDoc;

// Which block of indicator lines a pattern gets, from its plane letter and component.
enum class ResultBlock { None, VerticalCo, VerticalCross, HorizontalCo, HorizontalCross, Msi };

ResultBlock BlockOf(const PatternFile& file);

// The indicator lines of one pattern's block, without the heading lines: each line whose flag is
// set, in table order, skipped where its value is NOT_SET and the table says so. Where the block's
// plane is the gain-calculation plane, the gain flag is set and the gain is NOT_SET, directivity,
// losses, efficiency and GFR of the pattern's results become NOT_SET as well (they would otherwise
// be shown beside a gain that is missing); that change stays until the analysis runs again.
void AppendIndicatorLines(CQuadrelDoc& doc, PatternFile& file, std::vector<std::string>& lines);
