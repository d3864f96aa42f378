#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/PatternTypes.h"

class CQuadrelDoc;

// The pattern's frequency in MHz (the frequency field of its name); 0 when it has none.
int PatternFrequency(const PatternFile& file);

struct FrequencyRange {
    double low;
    double high;
};
// The frequency range a curve file's name carries: the first two neighbouring numeric tokens of the
// name ("gain level_1710_2170.txt", "1710-2170 v-plane.txt"), in either order.
std::optional<FrequencyRange> NameFrequencyRange(std::string_view fileName);
bool NameRangeContains(std::string_view fileName, double frequency);

// GL / GV rule: exact point, else linear between the enclosing points; nothing when the frequency
// lies before the first point or after the last.
std::optional<double> CurveValueAt(const std::vector<PatternPoint>& points, double frequency);
// C0 rule: the first point within 0.01 MHz.
std::optional<double> CurveValueNear(const std::vector<PatternPoint>& points, double frequency);

// The gain folder of a pattern path: the folder beside its test folder named "Gain Level".
std::string GainFolderOf(const std::string& patternPath);

// Key of the level curve C0 of a pattern: its first six name tokens, plane letter switched to the
// member of the set that provides the gain ("_h" -> "_e" when gainFromVertical, else "_e" -> "_h",
// matched as the name is written; the key itself is lower case).
std::string LevelCurveKey(const PatternFile& file, bool gainFromVertical);

// The gain-level ("GL") and gain-value ("GV") reference curves of a gain table, in key order.
struct ReferenceCurve {
    std::string key;
    FrequencyRange range;
    bool isLevel;
    bool isValue;
};
std::vector<ReferenceCurve> CollectReferenceCurves(const GainCurveTable& table);

// The gain substituted from the curves: C0(f) - GL(f) + GV(f); NOT_SET when C0 has no point at f
// or its level there is 0; nothing (the gain stays as it is) when a curve is missing or does not
// reach f.
std::optional<float> GainFromCurves(const CQuadrelDoc& doc, const PatternFile& file,
                                    const std::vector<ReferenceCurve>& references);
