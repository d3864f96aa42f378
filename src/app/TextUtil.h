#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "XmlText.h"

// Locale-independent number reading and writing. Every number that goes to or comes from a file
// uses "." and no grouping, whatever the process locale says.

// The longest leading part of `text` that forms a decimal number (leading blanks skipped, optional
// sign, digits with an optional ".", an optional exponent); 0 when there is none. Like C's atof
// but without hexadecimal, "inf" or "nan" forms and without looking at the locale.
double ParseLeadingDouble(std::string_view text);

// The leading decimal integer of `text` (leading blanks, optional sign, digits); 0 when none.
// Saturates at the int32 range instead of overflowing.
int32_t ParseLeadingInt(std::string_view text);

// The program-wide "no value" (-999); a non-finite number is never written, it is written as this.
inline constexpr double kNoValue = -999.0;

// "%.Nf" with "." as the decimal point, digit for digit what printf writes ("-0.00" included).
std::string FormatFixed(double value, int decimals);
void AppendFixed(std::string& out, double value, int decimals);
// FormatFixed as a person reads it on screen: a value that rounds to zero is "0.00", never "-0.00".
std::string FormatShown(double value, int decimals);
// The number that FormatFixed(value, decimals) reads back as, without making the text (0 <= decimals
// <= 12). A float times 10^decimals is exact in double, so rounding the product to an integer,
// half to even like the text, and dividing gives the same nearest double (-0 and -999 included).
double FixedValue(float value, int decimals);

// The shortest text that reads back to the same float32 ("0" for -0).
std::string FormatShortestFloat(float value);
void AppendShortestFloat(std::string& out, float value);
// The double that the shortest text of a float32 reads as: -16.88 for the float nearest -16.88,
// where widening the float would give -16.8799991607666 (0 for -0).
double ShortestDecimal(float value);

// UTF-8 checks and the XML cleaning live with the package layer, which every document writer
// shares (XmlText.h): Utf8SequenceLength, ValidUtf8, XmlSafeText.
using ooxml::Utf8SequenceLength;
using ooxml::ValidUtf8;
using ooxml::XmlSafeText;
// For line- and tab-separated outputs: valid UTF-8, with tab, line feed, carriage return and the
// other control characters written as \t, \n, \r and \xNN, so a file name cannot split a line or
// a column.
std::string PrintableText(std::string_view text);

std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);
bool Contains(std::string_view text, std::string_view part);
bool EndsWith(std::string_view text, std::string_view suffix);

// Splits at every occurrence of `sep`; the remainder after the last separator is the last piece.
std::vector<std::string> SplitAll(std::string_view text, char sep);
// Splits at `sep` into at most `maxTokens` tokens; further tokens are dropped.
std::vector<std::string> SplitLimited(std::string_view text, char sep, size_t maxTokens);
// Replaces every occurrence of `from` in `text` by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

// Paths may use "\" or "/"; both separate components.
std::string LastPathComponent(std::string_view path);
std::string ParentFolderName(std::string_view path);
