#include "framework/controls/ListViewModel.h"

#include "framework/controls/ListView.h"
#include "framework/core/VisibleText.h"

#include <algorithm>

TListViewModel::TListViewModel(TCustomListView* listView) : FListView(listView) {}

int TListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FListView->Items()->Count();
}

int TListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FColumnCount;
}

QVariant TListViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return QVariant();
    }
    const TListItem* item = FListView->Items()->Item(index.row());
    if (role == Qt::CheckStateRole) {
        return index.column() == 0 && FListView->Checkboxes()
                   ? QVariant(item->Checked() ? Qt::Checked : Qt::Unchecked)
                   : QVariant();
    }
    if (role != Qt::DisplayRole) {
        return QVariant();
    }
    // A cell is one line: control characters are shown, never obeyed.
    if (index.column() == 0) {
        return WithVisibleControls(item->Caption());
    }
    const TStrings* subItems = item->SubItems();
    return index.column() <= subItems->Count()
               ? QVariant(WithVisibleControls(subItems->Get(index.column() - 1)))
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
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return index.column() == 0 && FListView->Checkboxes() ? flags | Qt::ItemIsUserCheckable : flags;
}

bool TListViewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0 ||
        index.row() >= rowCount() || !FListView->Checkboxes()) {
        return false;
    }
    FListView->Items()->Item(index.row())->SetChecked(value.toInt() == Qt::Checked);
    return true;
}

void TListViewModel::EndReorder(const std::vector<int>& newRowOf) {
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from) {
        const bool kept = old.row() >= 0 && old.row() < static_cast<int>(newRowOf.size());
        to.append(kept ? index(newRowOf[old.row()], old.column()) : QModelIndex());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

void TListViewModel::CellsChanged(int row, int firstColumn, int lastColumn, int role) {
    lastColumn = std::min(lastColumn, FColumnCount - 1);
    if (firstColumn <= lastColumn) {
        emit dataChanged(index(row, firstColumn), index(row, lastColumn), {role});
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
