#include "framework/controls/ListViewModel.h"

#include "framework/controls/ListView.h"

#include <algorithm>

TListViewModel::TListViewModel(TCustomListView* listView) : FListView(listView) {}

int TListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FListView->Items()->Count();
}

int TListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FColumnCount;
}

QVariant TListViewModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
        return QVariant();
    }
    const TListItem* item = FListView->Items()->Item(index.row());
    if (index.column() == 0) {
        return item->Caption();
    }
    const TStrings* subItems = item->SubItems();
    return index.column() <= subItems->Count() ? QVariant(subItems->Get(index.column() - 1))
                                               : QVariant();
}

QVariant TListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const TListColumns* columns = FListView->Columns();
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columns->Count()) {
        return columns->Items(section)->Caption();
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TListViewModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

void TListViewModel::CellsChanged(int row, int firstColumn, int lastColumn) {
    lastColumn = std::min(lastColumn, FColumnCount - 1);
    if (firstColumn <= lastColumn) {
        emit dataChanged(index(row, firstColumn), index(row, lastColumn), {Qt::DisplayRole});
    }
}

void TListViewModel::ColumnsChanged(int count) {
    // A list without columns still shows its captions in one column.
    count = std::max(1, count);
    if (count > FColumnCount) {
        beginInsertColumns(QModelIndex(), FColumnCount, count - 1);
        FColumnCount = count;
        endInsertColumns();
    } else if (count < FColumnCount) {
        beginRemoveColumns(QModelIndex(), count, FColumnCount - 1);
        FColumnCount = count;
        endRemoveColumns();
    }
    emit headerDataChanged(Qt::Horizontal, 0, FColumnCount - 1);
}
