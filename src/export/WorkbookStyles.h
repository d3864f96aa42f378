#pragma once
#include <array>
#include <string>

namespace ooxml {
class Package;
}

// The cell formats the exports ask for; Plain is the workbook's default format.
enum class CellStyle : unsigned char { Plain, Header, TwoDecimals };
inline constexpr size_t kCellStyleCount = 3;

// Adds the formats to the workbook's style sheet (`stylesPart`, found through the workbook's
// relationships) and returns the format index of each CellStyle. A header is bold, centred and
// wrapped at its line breaks; two decimals is the spreadsheet program's built-in "0.00". Without a
// style sheet every index is 0 and the cells keep the default format.
std::array<int, kCellStyleCount> AddCellStyles(ooxml::Package& package, const std::string& stylesPart);

// Adds a format with a solid fill of `rgb` ("C6EFCE") to the style sheet and returns its index; 0
// (the default format) without a style sheet.
int AddFillFormat(ooxml::Package& package, const std::string& stylesPart, const std::string& rgb);
