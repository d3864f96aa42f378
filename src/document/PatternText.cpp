#include "document/PatternText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "app/TextUtil.h"

float StoredFloat(double value) {
    if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return NOT_SET;
    return static_cast<float>(value);
}

bool LineCursor::Next(std::string_view& line) {
    if (m_pos >= m_text.size()) return false;
    size_t lf = m_text.find('\n', m_pos);
    if (lf == std::string_view::npos) {
        line = m_text.substr(m_pos);
        m_pos = m_text.size();
        m_lastHadLineFeed = false;
        return true;
    }
    line = m_text.substr(m_pos, lf - m_pos);
    m_pos = lf + 1;
    m_lastHadLineFeed = true;
    return true;
}

size_t LineCursor::RemainingLines() const {
    if (m_pos >= m_text.size()) return 0;
    const std::string_view rest = m_text.substr(m_pos);
    return static_cast<size_t>(std::count(rest.begin(), rest.end(), '\n')) + 1;
}

std::string_view LineCursor::NextOrEmpty() {
    std::string_view line;
    return Next(line) ? line : std::string_view{};
}

bool ParsePointLine(std::string_view line, double& first, double& second) {
    size_t sep = line.find_first_of(" \t");
    if (sep == std::string_view::npos) sep = line.find(',');
    if (sep == std::string_view::npos) {
        first = NOT_SET;
        second = NOT_SET;
        return false;
    }
    first = ParseLeadingDouble(line.substr(0, sep));
    second = ParseLeadingDouble(line.substr(sep + 1));
    return true;
}

std::string_view TextAfterFirstBlank(std::string_view line) {
    size_t blank = line.find(' ');
    return blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
}

double NumberAfterFirstBlank(std::string_view line) {
    return ParseLeadingDouble(TextAfterFirstBlank(line));
}

void ReadPointLines(LineCursor& cursor, std::vector<PatternPoint>& points) {
    points.reserve(points.size() + cursor.RemainingLines());
    std::string_view line;
    while (cursor.Next(line) && !cursor.EndsData(line)) {
        double a = 0, b = 0;
        ParsePointLine(line, a, b);
        points.push_back({StoredFloat(a), StoredFloat(b)});
    }
}
