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
    for (size_t offset = 0; offset + 8 <= bytes.size(); offset += 8) {
        PatternPoint p;
        std::memcpy(&p.fAngle, bytes.data() + offset, 4);
        std::memcpy(&p.fMag, bytes.data() + offset + 4, 4);
        points.push_back(p);
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
