#include "document/MsiDoubts.h"

#include "app/TextUtil.h"
#include "document/PatternText.h"

namespace {
std::string Shown(std::string_view line) {
    constexpr size_t kShown = 40;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    std::string text = PrintableText(line.substr(0, kShown));
    return "\"" + text + (line.size() > kShown ? "...\"" : "\"");
}

std::string Times(int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}
} // namespace

void MsiDoubts::NoteBadLine(std::string_view line) {
    if (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        if (m_blankStarts++ == 0) m_firstBlankStart = m_lineNumber;
        return;
    }
    if (m_textLines++ == 0) {
        m_firstTextLine = m_lineNumber;
        m_firstText = Shown(line);
    }
}

void MsiDoubts::NoteDescent(double angle) {
    if (m_descents++ == 0) {
        m_firstDescentLine = m_lineNumber;
        m_descentFrom = m_lastAngle;
        m_descentTo = angle;
    }
}

void MsiDoubts::SkippedLine(std::string_view line) {
    ++m_lineNumber;
    std::string_view start = line.substr(0, line.find_first_of(" \t\r"));
    if (ToUpper(start) == "VERTICAL") {
        // An exported or vendor file: its second cut starts again from its first angle.
        m_secondCutLine = m_lineNumber;
        m_lastAngle = -1e300;
    } else if (LooksLikeRow(line, PointLineSeparator(line))) {
        m_skippedRowLine = m_lineNumber;
    }
}

void MsiDoubts::Report(bool hasCountLine, int count, size_t samples,
                       std::vector<std::string>& warnings) const {
    if (m_blankStarts > 0)
        warnings.push_back(Times(m_blankStarts, "data line") + (m_blankStarts == 1 ? " begins" : " begin") +
                           " with a blank (first: line " + std::to_string(m_firstBlankStart) +
                           "): right-aligned columns, read as angle 0 and the angle as the value");
    if (m_textLines > 0)
        warnings.push_back(Times(m_textLines, "data line") + (m_textLines == 1 ? " holds" : " hold") +
                           " text or header keys instead of \"angle value\" (first: line " +
                           std::to_string(m_firstTextLine) + " " + m_firstText +
                           "); each was read as a sample");
    if (m_descents > 0)
        warnings.push_back("angles do not ascend: line " + std::to_string(m_firstDescentLine) + " has " +
                           FormatShortestFloat(static_cast<float>(m_descentTo)) + " after " +
                           FormatShortestFloat(static_cast<float>(m_descentFrom)) + " (" +
                           Times(m_descents, "step") + " back)");
    if (m_skippedRowLine > 0)
        warnings.push_back(
            "line " + std::to_string(m_skippedRowLine) +
            " after the 360th sample is a data row; it is skipped, as the format skips that line");
    if (hasCountLine && static_cast<size_t>(count) != samples)
        warnings.push_back("the count line says " + std::to_string(count) + " samples, the file holds " +
                           std::to_string(samples));
    if (m_secondCutLine > 0)
        warnings.push_back("holds a horizontal and a vertical cut (VERTICAL at line " +
                           std::to_string(m_secondCutLine) + "), read as one cut of " +
                           std::to_string(samples) + " samples; quadrel-cli import reads it as two cuts");
}
