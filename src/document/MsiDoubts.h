#pragma once
#include <string>
#include <string_view>
#include <vector>

// Watches the data lines of an MSI text while the reader takes them, so that a file read by the
// format's rules but garbled by them (right-aligned columns, extra header keys, a missing or
// surplus line) is loaded with a warning instead of silently. One look at each line, no second pass.
class MsiDoubts {
  public:
    // A data line as the reader took it; `angle` is the number read before the separator, as written.
    void DataLine(std::string_view line, double angle) {
        ++m_lineNumber;
        if (!LooksLikeRow(line)) return NoteBadLine(line);
        if (angle <= m_lastAngle) NoteDescent(angle);
        m_lastAngle = angle;
    }
    // The line skipped after the 360th sample.
    void SkippedLine(std::string_view line);
    // Appends one text per kind of doubt.
    void Report(bool hasCountLine, int count, size_t samples, std::vector<std::string>& warnings) const;

  private:
    static bool StartsNumber(std::string_view text) {
        size_t i = 0;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (i < text.size() && text[i] == '.') ++i;
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    }
    // "angle<blank, tab or comma>value" with both parts starting as numbers.
    static bool LooksLikeRow(std::string_view line) {
        if (!StartsNumber(line)) return false;
        size_t sep = line.find_first_of(" \t");
        if (sep == std::string_view::npos) sep = line.find(',');
        if (sep == std::string_view::npos) return false;
        const size_t value = line.find_first_not_of(" \t", sep + 1);
        return value != std::string_view::npos && StartsNumber(line.substr(value));
    }
    void NoteBadLine(std::string_view line);
    void NoteDescent(double angle);

    static constexpr int kHeaderLines = 6;
    int m_lineNumber = kHeaderLines;
    double m_lastAngle = -1e300;
    int m_textLines = 0, m_firstTextLine = 0;
    std::string m_firstText;
    int m_blankStarts = 0, m_firstBlankStart = 0;
    int m_descents = 0, m_firstDescentLine = 0;
    double m_descentFrom = 0, m_descentTo = 0;
    int m_secondCutLine = 0; // a "VERTICAL" line after the 360th sample
    int m_skippedRowLine = 0;
};
