#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TextUtil.h"
#include "export/SheetCells.h"

namespace {

// A write: a text when `text` is set, else the number.
struct Write {
    int row;
    int column;
    double value;
    const char* text = nullptr;
};

// The cells in their stored order, as "row:column=n<value>" or "row:column=s<text>", whatever the locale.
std::vector<std::string> Dump(const SheetCells& cells) {
    std::vector<std::string> out;
    for (size_t r = 0; r < cells.RowCount(); ++r)
        for (size_t c = 0; c < cells.CellCount(r); ++c) {
            const SheetCells::Cell cell = cells.At(r, c);
            out.push_back(std::to_string(cells.RowNumber(r)) + ":" + std::to_string(cell.column) + "=" +
                          (cell.number ? "n" + FormatFixed(cell.value, 1) : "s" + std::string(cell.text)));
        }
    return out;
}

} // namespace

TEST(SheetCells, CellsComeOutInRowAndColumnOrderWhateverTheOrderWritten) {
    const struct {
        const char* what;
        std::vector<Write> writes;
        std::vector<std::string> expected;
    } cases[] = {
        {"appended row by row", {{1, 1, 1}, {1, 2, 2}, {2, 1, 3}}, {"1:1=n1.0", "1:2=n2.0", "2:1=n3.0"}},
        {"column by column",
         {{1, 1, 1}, {2, 1, 2}, {1, 2, 3}, {2, 2, 4}},
         {"1:1=n1.0", "1:2=n3.0", "2:1=n2.0", "2:2=n4.0"}},
        {"rows and columns inserted before others",
         {{5, 3, 1}, {2, 9, 2}, {5, 1, 3}, {2, 16384, 4}, {2, 4, 5}},
         {"2:4=n5.0", "2:9=n2.0", "2:16384=n4.0", "5:1=n3.0", "5:3=n1.0"}},
        {"a number overwritten by a text and back",
         {{1, 2, 1}, {1, 2, 0, "a"}, {1, 1, 0, "b"}, {1, 2, 7}, {1, 1, 0, "c"}},
         {"1:1=sc", "1:2=n7.0"}},
        {"texts and numbers mixed in one row",
         {{3, 2, 0, "x <y>"}, {3, 1, -0.5}, {3, 3, 0, ""}},
         {"3:1=n-0.5", "3:2=sx <y>", "3:3=s"}},
    };
    for (const auto& c : cases) {
        SheetCells cells;
        for (const Write& w : c.writes) {
            if (w.text)
                cells.SetText(w.row, w.column, w.text);
            else
                cells.SetNumber(w.row, w.column, w.value);
        }
        EXPECT_EQ(Dump(cells), c.expected) << c.what;
        EXPECT_FALSE(cells.Empty()) << c.what;
    }
    EXPECT_TRUE(SheetCells().Empty());
}
