#include "document/PatternText.h"

#include "app/TextUtil.h"

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
    std::string_view line;
    while (cursor.Next(line) && !cursor.EndsData(line)) {
        double a = 0, b = 0;
        ParsePointLine(line, a, b);
        points.push_back({static_cast<float>(a), static_cast<float>(b)});
    }
}
