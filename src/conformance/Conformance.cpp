#include "conformance/Conformance.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "app/TextUtil.h"

namespace {

// The number in a name token: "p2" and "2" are port 2, "6" is tilt 6; nullopt when none.
std::optional<int> TokenNumber(const std::string& token) {
    const auto digit =
        std::find_if(token.begin(), token.end(), [](unsigned char c) { return std::isdigit(c); });
    if (digit == token.end()) return std::nullopt;
    return ParseLeadingInt(std::string_view(&*digit, static_cast<size_t>(token.end() - digit)));
}

bool Admits(const std::vector<int>& wanted, const std::string& token) {
    if (wanted.empty()) return true;
    const auto number = TokenNumber(token);
    return number && std::find(wanted.begin(), wanted.end(), *number) != wanted.end();
}

// Ports and tilts in numeric order ("p2" before "p10"), then as texts.
struct Combination {
    std::string port, pol, tilt;
    auto SortKey() const { return std::tuple(TokenNumber(port), port, pol, TokenNumber(tilt), tilt); }
    bool operator<(const Combination& other) const { return SortKey() < other.SortKey(); }
};

std::string JoinNumbers(const std::vector<int>& numbers) {
    if (numbers.empty()) return "*";
    std::string text;
    for (int number : numbers) text += (text.empty() ? "" : ",") + std::to_string(number);
    return text;
}

struct Accumulated {
    std::vector<float> values;
};

// The distance of a value to the nearer bound of a limit (negative outside) and that bound.
std::pair<double, float> Margin(float value, const IndicatorLimit& limit) {
    double margin = INFINITY;
    float bound = NOT_SET;
    if (limit.min) {
        margin = static_cast<double>(value) - *limit.min;
        bound = *limit.min;
    }
    if (limit.max && static_cast<double>(*limit.max) - value < margin) {
        margin = static_cast<double>(*limit.max) - value;
        bound = *limit.max;
    }
    return {margin, bound};
}

// Compared as the stored float32 values, so text that prints equal is equal.
bool Keeps(float value, const IndicatorLimit& limit) {
    return (!limit.min || value >= *limit.min) && (!limit.max || value <= *limit.max);
}

void FillStatistics(ConformanceGroup& group, const std::vector<float>& values, const IndicatorLimit& limit) {
    group.n = static_cast<int>(values.size());
    if (values.empty()) {
        group.verdict = Verdict::NoData;
        group.bound = limit.min ? *limit.min : *limit.max;
        return;
    }
    double sum = 0;
    for (float v : values) sum += v;
    const double mean = sum / static_cast<double>(values.size());
    double squares = 0;
    for (float v : values) squares += (v - mean) * (v - mean);
    group.min = *std::min_element(values.begin(), values.end());
    group.max = *std::max_element(values.begin(), values.end());
    group.mean = static_cast<float>(mean);
    group.std = static_cast<float>(std::sqrt(squares / static_cast<double>(values.size())));
    double worstMargin = INFINITY;
    bool allKeep = true;
    for (float v : values) {
        const auto [margin, bound] = Margin(v, limit);
        if (margin < worstMargin) {
            worstMargin = margin;
            group.worst = v;
            group.bound = bound;
        }
        allKeep = allKeep && Keeps(v, limit);
    }
    group.margin = static_cast<float>(worstMargin);
    group.verdict = allKeep ? Verdict::Pass : Verdict::Fail;
}

ConformanceSummary Summarise(size_t band, const std::string& indicator, const std::vector<float>& values,
                             const std::vector<Verdict>& verdicts) {
    ConformanceSummary row;
    row.band = band;
    row.indicator = indicator;
    row.n = static_cast<int>(values.size());
    const bool anyBad =
        std::any_of(verdicts.begin(), verdicts.end(), [](Verdict v) { return v != Verdict::Pass; });
    row.verdict = values.empty() ? Verdict::NoData : anyBad ? Verdict::Fail : Verdict::Pass;
    if (values.empty()) return row;
    double sum = 0;
    for (float v : values) sum += v;
    const double mean = sum / static_cast<double>(values.size());
    double spread = 0;
    for (float v : values) spread = std::max(spread, std::fabs(v - mean));
    row.typical = static_cast<float>(mean);
    row.tolerance = static_cast<float>(spread);
    row.min = *std::min_element(values.begin(), values.end());
    row.max = *std::max_element(values.begin(), values.end());
    return row;
}

// Indexed by Verdict.
struct VerdictTexts {
    const char* word;
    const char* label;
    const char* fill;
};
constexpr VerdictTexts kVerdictTexts[] = {
    {"pass", "PASS", "C6EFCE"},
    {"fail", "FAIL", "FFC7CE"},
    {"nodata", "no data", "D9D9D9"},
};

} // namespace

const char* VerdictWord(Verdict verdict) {
    return kVerdictTexts[static_cast<int>(verdict)].word;
}
const char* VerdictLabel(Verdict verdict) {
    return kVerdictTexts[static_cast<int>(verdict)].label;
}
const char* VerdictFill(Verdict verdict) {
    return kVerdictTexts[static_cast<int>(verdict)].fill;
}

std::string ConformanceNumber(float value, const char* none) {
    if (value == NOT_SET) return none;
    std::string text = FormatFixed(value, 2);
    return text == "-0.00" ? "0.00" : text;
}

std::string VerdictLine(const ConformanceResult& result) {
    if (result.verdict == Verdict::Pass) return "PASS";
    return "FAIL (" + std::to_string(result.failing) + " of " + std::to_string(result.groups.size()) +
           " groups fail)";
}

double CutFrequency(const PatternFile& file) {
    const std::string& token = file.names[kFieldFrequency];
    if (!token.empty() && std::isdigit(static_cast<unsigned char>(token[0])))
        return ParseLeadingDouble(token);
    if (file.source != PatternSource::ExactData && file.headerValue > 0) return file.headerValue;
    return NOT_SET;
}

CheckedCut CheckedCutOf(const PatternFile& file, const DatasheetLimits& limits) {
    CheckedCut cut{{},
                   file.names[kFieldPort],
                   file.names[kFieldPolarisation],
                   file.names[kFieldTilt],
                   file.names[kFieldModel],
                   CutFrequency(file),
                   {}};
    for (const LimitBand& band : limits.bands)
        for (const IndicatorLimit& limit : band.limits)
            cut.values.push_back(ColumnValue(file.results, *limit.column));
    return cut;
}

ConformanceResult CheckConformance(const PatternTable& table, const DatasheetLimits& limits) {
    std::vector<CheckedCut> cuts;
    cuts.reserve(table.size());
    for (const auto& [key, file] : table) {
        cuts.push_back(CheckedCutOf(file, limits));
        cuts.back().key = key;
    }
    return CheckConformance(cuts, limits);
}

ConformanceResult CheckConformance(const std::vector<CheckedCut>& cuts, const DatasheetLimits& limits,
                                   bool withKeys) {
    ConformanceResult result;
    std::set<Combination> combinations;
    std::set<std::string> models;
    for (const CheckedCut& cut : cuts) {
        combinations.insert({cut.port, cut.pol, cut.tilt});
        if (!cut.model.empty()) models.insert(cut.model);
    }
    if (!limits.model.empty())
        for (const std::string& model : models)
            if (model != limits.model)
                result.warnings.push_back("the limits are for model " + limits.model +
                                          ", the loaded antenna is " + model);

    size_t valueIndex = 0;
    for (size_t b = 0; b < limits.bands.size(); ++b) {
        const LimitBand& band = limits.bands[b];
        std::map<std::string, std::pair<std::vector<float>, std::vector<Verdict>>> byIndicator;
        std::vector<std::string> indicatorOrder;
        for (size_t l = 0; l < band.limits.size(); ++l, ++valueIndex) {
            const IndicatorLimit& limit = band.limits[l];
            std::map<Combination, std::pair<std::vector<float>, std::vector<std::string>>> found;
            for (const Combination& c : combinations)
                if (Admits(limit.ports, c.port) && Admits(limit.tilts, c.tilt)) found[c];
            if (found.empty()) found[{"p" + JoinNumbers(limit.ports), "*", JoinNumbers(limit.tilts)}];
            for (const CheckedCut& cut : cuts) {
                if (cut.frequency == NOT_SET || cut.frequency < band.from || cut.frequency > band.to)
                    continue;
                const float value = cut.values[valueIndex];
                if (value == NOT_SET || !std::isfinite(value)) continue;
                const auto it = found.find({cut.port, cut.pol, cut.tilt});
                if (it == found.end()) continue;
                it->second.first.push_back(value);
                if (withKeys) it->second.second.push_back(cut.key);
            }
            if (!byIndicator.count(limit.indicator)) indicatorOrder.push_back(limit.indicator);
            auto& [summaryValues, summaryVerdicts] = byIndicator[limit.indicator];
            for (auto& [c, values] : found) {
                ConformanceGroup group;
                group.band = b;
                group.limit = l;
                group.port = c.port;
                group.pol = c.pol;
                group.tilt = c.tilt;
                group.indicator = limit.indicator;
                group.keys = std::move(values.second);
                FillStatistics(group, values.first, limit);
                summaryValues.insert(summaryValues.end(), values.first.begin(), values.first.end());
                summaryVerdicts.push_back(group.verdict);
                if (group.verdict != Verdict::Pass) ++result.failing;
                result.groups.push_back(std::move(group));
            }
        }
        for (const std::string& indicator : indicatorOrder) {
            const auto& [values, verdicts] = byIndicator[indicator];
            result.summary.push_back(Summarise(b, indicator, values, verdicts));
        }
    }
    result.verdict = result.failing == 0 ? Verdict::Pass : Verdict::Fail;
    return result;
}
