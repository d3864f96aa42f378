#include "analysis/GainCurves.h"

#include <algorithm>
#include <cmath>

#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"

int PatternFrequency(const PatternFile& file) {
    return ParseLeadingInt(file.names[kFieldFrequency]);
}

namespace {

bool IsNameSeparator(char c) {
    return c == '_' || c == '-' || c == ' ';
}

// A token of digits with at most one ".", optionally followed by "mhz".
std::optional<double> NumericToken(std::string_view token) {
    if (EndsWith(token, "mhz")) token.remove_suffix(3);
    if (token.empty()) return std::nullopt;
    int dots = 0;
    for (char c : token) {
        if (c == '.') {
            if (++dots > 1) return std::nullopt;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    if (token == ".") return std::nullopt;
    return ParseLeadingDouble(token);
}

} // namespace

std::optional<FrequencyRange> NameFrequencyRange(std::string_view fileName) {
    const std::string name = ToLower(fileName);
    std::string_view stem = name;
    if (const size_t dot = stem.rfind('.'); dot != std::string_view::npos && dot > 0)
        stem = stem.substr(0, dot);
    std::optional<double> previous;
    size_t pos = 0;
    while (pos <= stem.size()) {
        size_t end = pos;
        while (end < stem.size() && !IsNameSeparator(stem[end])) ++end;
        const std::optional<double> value = NumericToken(stem.substr(pos, end - pos));
        if (value && previous)
            return FrequencyRange{std::min(*previous, *value), std::max(*previous, *value)};
        previous = value;
        pos = end + 1;
    }
    return std::nullopt;
}

bool NameRangeContains(std::string_view fileName, double frequency) {
    const auto range = NameFrequencyRange(fileName);
    return range && range->low <= frequency && frequency <= range->high;
}

std::optional<double> CurveValueAt(const std::vector<PatternPoint>& points, double frequency) {
    for (size_t k = 0; k < points.size(); ++k) {
        const double x = points[k].fAngle;
        if (x == frequency) return points[k].fMag;
        if (x > frequency) {
            if (k == 0) return std::nullopt; // below the curve: no extrapolation
            const double xPrev = points[k - 1].fAngle;
            const double yPrev = points[k - 1].fMag;
            const double slope = (points[k].fMag - yPrev) / (x - xPrev);
            return yPrev + (frequency - xPrev) * slope;
        }
    }
    return std::nullopt;
}

std::optional<double> CurveValueNear(const std::vector<PatternPoint>& points, double frequency) {
    for (const PatternPoint& p : points)
        if (std::fabs(static_cast<double>(p.fAngle) - frequency) < 0.01) return p.fMag;
    return std::nullopt;
}

std::string GainFolderOf(const std::string& patternPath) {
    return BaseFolderOf(patternPath) + "Gain Level/";
}

std::string LevelCurveKey(const PatternFile& file, bool gainFromVertical) {
    // The plane letter is switched as written: only the key as a whole is lower case.
    std::string name = LastPathComponent(file.path);
    size_t cut = 0;
    for (int separators = 0; cut != std::string::npos && separators < 6; ++separators)
        cut = name.find('_', separators == 0 ? 0 : cut + 1);
    if (cut != std::string::npos) name.resize(cut);
    name = gainFromVertical ? ReplaceAll(name, "_h", "_e") : ReplaceAll(name, "_e", "_h");
    return ToLower(GainFolderOf(file.path) + "gain level_" + name + ".txt");
}

std::vector<ReferenceCurve> CollectReferenceCurves(const GainCurveTable& table) {
    std::vector<ReferenceCurve> references;
    for (const auto& [key, curve] : table) {
        if (Contains(curve.fileName, "envelope")) continue;
        const bool isLevel = Contains(curve.fileName, "gain level");
        const bool isValue = Contains(curve.fileName, "gain value");
        if (!isLevel && !isValue) continue;
        if (const auto range = NameFrequencyRange(curve.fileName))
            references.push_back(ReferenceCurve{key, *range, isLevel, isValue});
    }
    return references;
}

namespace {
const CurveFile* FindCurve(const CQuadrelDoc& doc, const std::string& key) {
    if (auto it = doc.gainCurves.find(key); it != doc.gainCurves.end()) return &it->second;
    if (auto it = doc.auxCurves.find(key); it != doc.auxCurves.end()) return &it->second;
    return nullptr;
}
} // namespace

std::optional<float> GainFromCurves(const CQuadrelDoc& doc, const PatternFile& file,
                                    const std::vector<ReferenceCurve>& references) {
    const CurveFile* levelCurve = FindCurve(doc, LevelCurveKey(file, doc.Vpara.GainCalc_v == 1));
    if (!levelCurve) return std::nullopt;

    const int frequency = PatternFrequency(file);
    const std::string* referenceLevelKey = nullptr;
    const std::string* referenceValueKey = nullptr;
    for (const ReferenceCurve& reference : references) {
        if (referenceLevelKey && referenceValueKey) break;
        if (reference.range.low > frequency || frequency > reference.range.high) continue;
        if (reference.isLevel) referenceLevelKey = &reference.key;
        if (reference.isValue) referenceValueKey = &reference.key;
    }
    if (!referenceLevelKey || !referenceValueKey) return std::nullopt;
    const CurveFile* referenceLevel = FindCurve(doc, *referenceLevelKey);
    const CurveFile* referenceValue = FindCurve(doc, *referenceValueKey);
    if (!referenceLevel || !referenceValue) return std::nullopt;

    const auto gl = CurveValueAt(referenceLevel->points, frequency);
    const auto gv = CurveValueAt(referenceValue->points, frequency);
    if (!gl || !gv) return std::nullopt;
    // A level of 0 at f counts as no point, as the level curve has no other mark for a gap.
    const double c0 = CurveValueNear(levelCurve->points, frequency).value_or(0.0);
    if (c0 == 0.0) return NOT_SET;
    return static_cast<float>(c0 - *gl + *gv);
}
