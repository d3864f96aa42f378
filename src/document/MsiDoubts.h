#pragma once
#include <string>
#include <string_view>
#include <vector>

// Watches the data lines of an MSI text while the reader takes them, so that a file read by the
// format's rules but garbled by them (right-aligned columns, extra header keys, a missing or
// surplus line) is loaded with a warning instead of silently. One look at each line, no second pass.
class MsiDoubts {
  public:
    // A data line as the reader took it; `angle` is the number read before the separator, as
    // written, and `row` whether the line looked like "angle value".
    void DataLine(std::string_view line, double angle, bool row) {
        ++m_lineNumber;
        if (!row) return NoteBadLine(line);
        if (angle <= m_lastAngle) NoteDescent(angle);
        m_lastAngle = angle;
    }
    // The line skipped after the 360th sample.
    void SkippedLine(std::string_view line);
    // Appends one text per kind of doubt.
    void Report(bool hasCountLine, int count, size_t samples, std::vector<std::string>& warnings) const;

  private:
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
