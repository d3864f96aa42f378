#include "export/SheetCells.h"

#include <algorithm>

SheetCells::Row& SheetCells::RowAt(int row) {
    if (m_rows.empty() || m_rows.back().number < row) {
        // Rows written one after the other tend to be as wide as the one before.
        const size_t width = m_rows.empty() ? 0 : m_rows.back().keys.size();
        m_rows.push_back(Row{row, {}, {}});
        m_rows.back().keys.reserve(width);
        m_rows.back().values.reserve(width);
        return m_rows.back();
    }
    auto it = std::lower_bound(m_rows.begin(), m_rows.end(), row,
                               [](const Row& r, int number) { return r.number < number; });
    if (it == m_rows.end() || it->number != row) it = m_rows.insert(it, Row{row, {}, {}});
    return *it;
}

size_t SheetCells::CellAt(Row& row, int column) {
    const auto wanted = static_cast<uint16_t>(column);
    if (row.keys.empty() || (row.keys.back() & ~kTextBit) < wanted) {
        row.keys.push_back(wanted);
        row.values.push_back(0.0);
        return row.keys.size() - 1;
    }
    auto it = std::lower_bound(row.keys.begin(), row.keys.end(), wanted,
                               [](uint16_t key, uint16_t c) { return (key & ~kTextBit) < c; });
    const auto at = static_cast<size_t>(it - row.keys.begin());
    if (it == row.keys.end() || (*it & ~kTextBit) != wanted) {
        row.keys.insert(it, wanted);
        row.values.insert(row.values.begin() + static_cast<std::ptrdiff_t>(at), 0.0);
    }
    return at;
}

void SheetCells::SetNumber(int row, int column, double value) {
    Row& r = RowAt(row);
    const size_t at = CellAt(r, column);
    // A text overwritten by a number leaves its slot in the side list empty.
    if (r.keys[at] & kTextBit) m_texts[static_cast<size_t>(r.values[at])] = std::string();
    r.keys[at] = static_cast<uint16_t>(column);
    r.values[at] = value;
}

void SheetCells::SetText(int row, int column, std::string text) {
    Row& r = RowAt(row);
    const size_t at = CellAt(r, column);
    if (r.keys[at] & kTextBit) {
        m_texts[static_cast<size_t>(r.values[at])] = std::move(text);
        return;
    }
    r.keys[at] = static_cast<uint16_t>(column | kTextBit);
    r.values[at] = static_cast<double>(m_texts.size());
    m_texts.push_back(std::move(text));
}

SheetCells::Cell SheetCells::At(size_t row, size_t cell) const {
    const Row& r = m_rows[row];
    Cell out;
    out.column = static_cast<int>(r.keys[cell] & ~kTextBit);
    out.number = !(r.keys[cell] & kTextBit);
    if (out.number)
        out.value = r.values[cell];
    else
        out.text = m_texts[static_cast<size_t>(r.values[cell])];
    return out;
}
