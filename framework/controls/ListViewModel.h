// The rows and columns of a list view as an item model: row r is the list's item r,
// column 0 its caption and column c its sub-item c - 1; the header shows the column
// captions. The model holds no copy of the rows: it reads them from the list's items,
// which tell it about every change.
#pragma once

#include <QAbstractTableModel>

class TCustomListView;

class TListViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TListViewModel(TCustomListView* listView);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Calls from the list's items around their changes.
    void BeginInsertRow(int row) { beginInsertRows(QModelIndex(), row, row); }
    void EndInsertRow() { endInsertRows(); }
    void BeginRemoveRow(int row) { beginRemoveRows(QModelIndex(), row, row); }
    void EndRemoveRow() { endRemoveRows(); }
    void BeginClear() { beginResetModel(); }
    void EndClear() { endResetModel(); }
    // Columns first to last of the row changed their text.
    void CellsChanged(int row, int firstColumn, int lastColumn);
    // The list's columns were added, removed or renamed.
    void ColumnsChanged(int count);

private:
    TCustomListView* FListView;
    int FColumnCount = 1;
};
