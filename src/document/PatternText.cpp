#include "document/PatternText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "app/SimpleDecimal.h"
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

bool LineCursor::NextSimpleRow(std::string_view& line, double& first, double& second) {
    const char* const begin = m_text.data() + m_pos;
    const char* const end = m_text.data() + m_text.size();
    if (m_pos >= m_text.size()) return false;
    const char* p = begin;
    if (!ParseSimpleDecimal(p, end, first) || p == end || (*p != ' ' && *p != '\t')) return false;
    while (p != end && (*p == ' ' || *p == '\t')) ++p;
    if (!ParseSimpleDecimal(p, end, second)) return false;
    if (p != end && *p == '\r') ++p;
    if (p == end || *p != '\n') return false;
    line = std::string_view(begin, static_cast<size_t>(p - begin));
    m_pos = static_cast<size_t>(p - m_text.data()) + 1;
    m_lastHadLineFeed = true;
    return true;
}

size_t LineCursor::PointCapacity(int32_t statedCount) const {
    const size_t left = m_pos < m_text.size() ? m_text.size() - m_pos : 0;
    constexpr size_t kShortestLine = 4; // "0 0" and its line feed
    constexpr size_t kTypicalLine = 12; // "179.50 23.45" and its line end
    if (statedCount > 0 && static_cast<size_t>(statedCount) <= left / kShortestLine + 1)
        return static_cast<size_t>(statedCount);
    return left / kTypicalLine + 1;
}

std::string_view LineCursor::NextOrEmpty() {
    std::string_view line;
    return Next(line) ? line : std::string_view{};
}

size_t PointLineSeparator(std::string_view line) {
    // One look at each byte up to the separator: blank or tab wins wherever it lies, a comma only
    // when the line has neither.
    size_t comma = std::string_view::npos;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t') return i;
        if (c == ',' && comma == std::string_view::npos) comma = i;
    }
    return comma;
}

namespace {
bool StartsNumber(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}
} // namespace

bool LooksLikeRow(std::string_view line, size_t separator) {
    if (separator == std::string_view::npos || !StartsNumber(line)) return false;
    const size_t value = line.find_first_not_of(" \t", separator + 1);
    return value != std::string_view::npos && StartsNumber(line.substr(value));
}

bool ParsePointLine(std::string_view line, double& first, double& second, bool* row) {
    const size_t sep = PointLineSeparator(line);
    if (row) *row = LooksLikeRow(line, sep);
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
    points.reserve(points.size() + cursor.PointCapacity(0));
    std::string_view line;
    for (;;) {
        double a = 0, b = 0;
        if (!cursor.NextSimpleRow(line, a, b)) {
            if (!cursor.Next(line) || cursor.EndsData(line)) break;
            ParsePointLine(line, a, b);
        }
        points.push_back({StoredFloat(a), StoredFloat(b)});
    }
}
