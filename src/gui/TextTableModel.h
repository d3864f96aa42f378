#pragma once
#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

// Rows of texts as a Qt model. The views ask only for the cells they show, so a pane of 10,000
// cuts costs the texts, not 10,000 widgets; a change notice hands over the new rows in one reset.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TextTableModel(QStringList headers = {}, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_headers(std::move(headers)) {}

    // Every row has the same number of cells (the headers', when there are headers).
    void SetRows(std::vector<std::vector<std::string>> rows);
    const std::string& Cell(int row, int column) const {
        return m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    QStringList m_headers;
    std::vector<std::vector<std::string>> m_rows;
};
