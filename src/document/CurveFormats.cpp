#include "document/CurveFormats.h"

#include <cstring>

#include "app/TextUtil.h"
#include "document/PatternText.h"

std::vector<PatternPoint> ParseGainCurve(std::string_view bytes) {
    std::vector<PatternPoint> points;
    if (Contains(bytes.substr(0, 100), "Frequency(MHz)")) {
        LineCursor cursor(bytes);
        cursor.NextOrEmpty();
        ReadPointLines(cursor, points);
        return points;
    }
    points.reserve(bytes.size() / 8);
    for (size_t offset = 0; offset + 8 <= bytes.size(); offset += 8) {
        float frequency = 0, gain = 0;
        std::memcpy(&frequency, bytes.data() + offset, 4);
        std::memcpy(&gain, bytes.data() + offset + 4, 4);
        points.push_back({StoredFloat(frequency), StoredFloat(gain)});
    }
    return points;
}

std::vector<PatternPoint> ParseEnvelopeCurve(std::string_view text) {
    std::vector<PatternPoint> points;
    LineCursor cursor(text);
    const size_t firstLf = text.find('\n');
    const size_t firstLength = firstLf == std::string_view::npos ? text.size() : firstLf;
    if (firstLength > 24) cursor.NextOrEmpty();
    ReadPointLines(cursor, points);
    return points;
}
