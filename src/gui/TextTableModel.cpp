#include "gui/TextTableModel.h"

void TextTableModel::SetRows(std::vector<std::vector<std::string>> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    if (!m_headers.isEmpty()) return static_cast<int>(m_headers.size());
    return m_rows.empty() ? 0 : static_cast<int>(m_rows.front().size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(Cell(index.row(), index.column()));
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= m_headers.size()) return {};
    return m_headers[section];
}
