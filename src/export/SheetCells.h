#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The cells written into one sheet, kept compactly: rows in ascending order, each holding its cells
// in ascending column order, a number in 10 bytes and a text in a side list. A raw-data workbook has
// millions of cells, so neither a node per cell nor a string per number is affordable. Writing the
// rows and columns in ascending order appends; anything else is inserted in place.
class SheetCells {
  public:
    struct Cell {
        int column = 0;
        bool number = false;
        double value = 0.0;
        std::string_view text; // for a text cell; valid until the cells change
    };

    // Columns run from 1 to 16384, as in the spreadsheet program.
    void SetNumber(int row, int column, double value);
    void SetText(int row, int column, std::string text);

    bool Empty() const { return m_rows.empty(); }
    size_t RowCount() const { return m_rows.size(); }
    int RowNumber(size_t row) const { return m_rows[row].number; }
    size_t CellCount(size_t row) const { return m_rows[row].keys.size(); }
    Cell At(size_t row, size_t cell) const;

  private:
    // A key is the column, with kTextBit set when the value is an index into m_texts.
    static constexpr uint16_t kTextBit = 0x8000;
    struct Row {
        int number = 0;
        std::vector<uint16_t> keys;
        std::vector<double> values;
    };

    // The slot of (row, column), made when missing; its index into the row's cells.
    Row& RowAt(int row);
    size_t CellAt(Row& row, int column);

    std::vector<Row> m_rows;
    std::vector<std::string> m_texts;
};
