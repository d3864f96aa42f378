#pragma once
#include <string>
#include <vector>

struct IndicatorResult;
struct PatternFile;
class CQuadrelDoc;

// Which block of indicator lines a pattern gets, from its plane letter and component.
enum class ResultBlock { None, VerticalCo, VerticalCross, HorizontalCo, HorizontalCross, Msi };

ResultBlock BlockOf(const PatternFile& file);

// The indicator lines of one pattern's block, without the heading lines: each line whose flag is
// set, in table order, skipped where its value is NOT_SET and the table says so. Lines are shown
// as HidesGainDependents says.
void AppendIndicatorLines(const CQuadrelDoc& doc, const PatternFile& file, std::vector<std::string>& lines);

// Where the block's plane is the gain-calculation plane, the gain flag is set and the gain is
// NOT_SET, directivity, losses, efficiency and GFR are shown as NOT_SET as well (they would
// otherwise be shown beside a gain that is missing).
bool HidesGainDependents(const CQuadrelDoc& doc, const PatternFile& file);
void HideGainDependents(IndicatorResult& results);
