#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <vector>

namespace tarnwick {

namespace store {
class RowSet;
}

// The data grid's view of the pump data sheet: the rows of the row set's
// snapshot, the ten captioned columns, and a marker on the row set's current
// row. It is read-only: the program never writes the catalogue.
class PumpViewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit PumpViewModel(QObject* parent = nullptr);

    // Shows the rows of `rows` (which must outlive the model, or be replaced
    // first); nullptr shows nothing.
    void setRowSet(const store::RowSet* rows);
    // Marks the row set's current row (none when it stands past its end).
    void setCurrentRow(int row);
    int currentRow() const { return m_current; }

    // The rows whose cells in a column decide its width: every row when
    // there are at most `sample`; otherwise `sample` rows spread evenly over
    // the whole and the rows holding the column's longest texts, so that a
    // large catalogue's grid is sized without making every cell's text.
    std::vector<int> widthRows(int column, int sample) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const store::RowSet* m_rows = nullptr;
    QList<int> m_columns; // field index of each grid column in the row set, -1 if absent
    int m_current = -1;
};

} // namespace tarnwick
