// The rows and columns of a list view as an item model: row r is the list's item r,
// column 0 its caption and column c its sub-item c - 1; the header shows the column
// captions. The model holds no copy of the rows: it reads them from the list's items,
// which tell it about every change.
#pragma once

#include <QAbstractTableModel>
#include <vector>

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
    // Toggles a row's check box (the view's click on it).
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Calls from the list's items around their changes.
    void BeginInsertRow(int row) { beginInsertRows(QModelIndex(), row, row); }
    void EndInsertRow() { endInsertRows(); }
    void BeginRemoveRow(int row) { beginRemoveRows(QModelIndex(), row, row); }
    void EndRemoveRow() { endRemoveRows(); }
    void BeginClear() { beginResetModel(); }
    void EndClear() { endResetModel(); }
    // The rows are about to take a new order; EndReorder(newRowOf) gives each old row
    // its new index, and selection and focus follow their rows.
    void BeginReorder() { emit layoutAboutToBeChanged(); }
    void EndReorder(const std::vector<int>& newRowOf);
    // Columns first to last of the row changed their text.
    void CellsChanged(int row, int firstColumn, int lastColumn, int role = Qt::DisplayRole);
    // The list's columns were added, removed or renamed.
    void ColumnsChanged(int count);

private:
    TCustomListView* FListView;
    int FColumnCount = 1;
};
