#include "document/MsiFormat.h"

#include "app/TextUtil.h"
#include "document/MsiDoubts.h"
#include "document/PatternText.h"

namespace {
constexpr int kSamplesPerSection = 360;
constexpr double kDbdToDbi = 2.15;

void KeepMax(PatternPoint& max, const PatternPoint& p) {
    if (p.fMag > max.fMag) max = p; // strictly greater: the first of equal peaks wins
}
} // namespace

double GainFromValueField(std::string_view valueField) {
    const double value = ParseLeadingDouble(valueField);
    size_t d = valueField.find('d');
    if (d != std::string_view::npos && valueField.substr(d, 3) == "dBi") return value;
    return value + kDbdToDbi;
}

bool ParseMsiText(std::string_view text, MsiContent& out) {
    if (text.find('\n') == std::string_view::npos) return false;
    out = MsiContent{};
    LineCursor cursor(text);
    cursor.NextOrEmpty(); // NAME, not interpreted
    out.frequency = StoredFloat(NumberAfterFirstBlank(cursor.NextOrEmpty()));
    std::string_view third = cursor.NextOrEmpty();
    if (Contains(third, "Gain") || Contains(third, "GAIN")) {
        out.hasGainLine = true;
        out.gainDbi = StoredFloat(GainFromValueField(TextAfterFirstBlank(third)));
    } else {
        out.count = ParseLeadingInt(third);
    }
    for (int i = 0; i < 3; ++i) cursor.NextOrEmpty(); // TILT, COMMENT, "HORIZONTAL 360"

    out.samples.reserve(cursor.PointCapacity(out.count));
    std::string_view line;
    int dataLines = 0;
    MsiDoubts doubts;
    for (;;) {
        double angle = 0, value = 0;
        PatternPoint p;
        bool row = true;
        bool parsed = true;
        if (!cursor.NextSimpleRow(line, angle, value)) {
            if (!cursor.Next(line) || cursor.EndsData(line)) break;
            parsed = ParsePointLine(line, angle, value, &row);
        }
        doubts.DataLine(line, angle, row);
        if (parsed) {
            // Files hold attenuation (positive downwards) at 0..360; the program holds levels in (-180, 180].
            if (angle > 180.0) angle -= 360.0;
            p = {StoredFloat(angle), StoredFloat(-value)};
        }
        out.samples.push_back(p);
        KeepMax(dataLines < kSamplesPerSection ? out.hMax : out.vMax, p);
        if (++dataLines == kSamplesPerSection) {
            std::string_view skipped;
            if (!cursor.Next(skipped)) break; // "VERTICAL 360" in exported files, whatever it says
            doubts.SkippedLine(skipped);
        }
    }
    doubts.Report(!out.hasGainLine, out.count, out.samples.size(), out.warnings);
    return true;
}
