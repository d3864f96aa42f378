#include "generate/CampaignOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/TextUtil.h"

namespace {
constexpr double kFinestStep = 0.1;
constexpr double kCoarsestStep = 10.0;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}
} // namespace

bool ParseNumberList(std::string_view text, std::vector<double>& values) {
    values.clear();
    for (const std::string& piece : SplitAll(text, ',')) {
        std::string_view number = Trim(piece);
        if (!number.empty() && number.front() == '+') number.remove_prefix(1);
        double value = 0.0;
        auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (number.empty() || ec != std::errc() || end != number.data() + number.size() ||
            !std::isfinite(value))
            return false;
        values.push_back(value);
    }
    return !values.empty();
}

std::string WholeNumbersInRange(const std::vector<double>& values, int lo, int hi, std::string_view what,
                                std::vector<int>& out) {
    out.clear();
    for (double value : values) {
        if (value != std::floor(value) || value < lo || value > hi)
            return std::string(what) + " must be whole numbers from " + std::to_string(lo) + " to " +
                   std::to_string(hi);
        int whole = static_cast<int>(value);
        if (std::find(out.begin(), out.end(), whole) != out.end())
            return std::string(what) + " must not repeat a value";
        out.push_back(whole);
    }
    if (out.empty()) return std::string(what) + " must not be empty";
    return {};
}

int SamplesPerCut(double step) {
    return static_cast<int>(std::lround(360.0 / step));
}

std::string ValidateCampaignOptions(const CampaignOptions& options) {
    if (options.outDir.empty()) return "--out must name a folder";
    if (options.ports < 1 || options.ports > 8) return "--ports must be from 1 to 8";
    std::vector<int> checked;
    std::string reason =
        WholeNumbersInRange({options.tilts.begin(), options.tilts.end()}, 0, 15, "tilts", checked);
    if (!reason.empty()) return reason;
    reason = WholeNumbersInRange({options.frequencies.begin(), options.frequencies.end()}, 100, 10000,
                                 "frequencies", checked);
    if (!reason.empty()) return reason;
    // Angles are written with two decimals and the cut must close on itself at 360 degrees.
    double hundredths = options.step * 100.0;
    if (!(options.step >= kFinestStep && options.step <= kCoarsestStep) ||
        std::abs(hundredths - std::round(hundredths)) > 1e-9 || 36000 % std::lround(hundredths) != 0)
        return "--step must divide 360 in hundredths of a degree, from 0.1 to 10";
    return {};
}
