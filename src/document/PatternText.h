#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/PatternPoint.h"

// A number read from a file as the float32 the program stores: a non-finite value, or one beyond
// float range, is no value (NOT_SET), never an infinity.
float StoredFloat(double value);

// The line parser shared by every text pattern and curve reader.

// Walks the lines of a text; a line is what lies before a line feed, CR included.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    // The next line, or false at the end of the text. A last line without a line feed counts
    // when it is not empty.
    bool Next(std::string_view& line);
    // Takes the next line when it is the common row "A<blanks or tabs>B" with both numbers in the
    // short form (ParseSimpleDecimal) and nothing after B but the line end: read in the same look,
    // with the numbers and the verdict ParsePointLine gives. False, taking nothing, for any other
    // line, which then goes the general way.
    bool NextSimpleRow(std::string_view& line, double& first, double& second);
    // Takes the next line, or an empty text when the text has ended (short headers read as empty).
    std::string_view NextOrEmpty();
    // The data of a text file ends at a line of exactly one character before its line feed
    // (normally a lone CR); a last line without a line feed is data whatever its length.
    bool EndsData(std::string_view line) const { return m_lastHadLineFeed && line.size() == 1; }
    // Room to reserve for the point lines that are left: the count the header states when the
    // rest of the text can hold that many lines, else a guess from the bytes left (short lines of
    // two numbers). Never a pass over the text.
    size_t PointCapacity(int32_t statedCount) const;

  private:
    std::string_view m_text;
    size_t m_pos = 0;
    bool m_lastHadLineFeed = false;
};

// Splits a data line at its first blank or tab or, when it has neither, at its first comma, and reads
// both parts as numbers. A line without any separator gives (NOT_SET, NOT_SET) and false.
// `row`, when given, tells whether both parts start as numbers ("angle value", not text or a
// right-aligned column).
bool ParsePointLine(std::string_view line, double& first, double& second, bool* row = nullptr);
// The separator ParsePointLine splits at; npos when the line has none.
size_t PointLineSeparator(std::string_view line);
// Whether a line split at `separator` is a row: both parts start as numbers.
bool LooksLikeRow(std::string_view line, size_t separator);

// The number after the first blank of a header line ("FREQUENCY 1800"); 0 without a blank.
double NumberAfterFirstBlank(std::string_view line);
// The text after the first blank; empty without a blank.
std::string_view TextAfterFirstBlank(std::string_view line);

// Reads point lines until the end-of-data line or the end of the text, as stored (no conversion).
void ReadPointLines(LineCursor& cursor, std::vector<PatternPoint>& points);
