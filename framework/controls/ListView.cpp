#include "framework/controls/ListView.h"

#include "framework/controls/ListViewModel.h"
#include "framework/controls/ListViewRows.h"
#include "framework/core/Application.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Paints the cell, then its right and bottom grid line, as report views do.
class TGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect r = option.rect;
        painter->save();
        painter->setPen(ColorToQColor(cl3DLight));
        painter->drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }
};

} // namespace

void TListColumn::SetCaption(const QString& caption) {
    FCaption = caption;
    Changed(false);
}

void TListColumn::SetWidth(int width) {
    FWidth = width;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Changed(false);
}

TListColumns::TListColumns(QObject* owner)
    : TCollection([](TCollection* c) { return new TListColumn(c); }, owner) {}

// ---------------------------------------------------------------------------

TListItem::TListItem(TListItems* owner)
    : FOwner(owner), FSubItems(std::make_unique<TStringList>()) {
    FSubItems->OnChange = [this](TObject*) { SubItemsChanged(); };
}

TListItem::~TListItem() = default;

void TListItem::SetCaption(const QString& caption) {
    FCaption = caption;
    const int index = Index();
    FOwner->Owner()->Model()->CellsChanged(index, 0, 0);
    FOwner->CaptionChanged(index);
}

void TListItem::SetChecked(bool value) {
    if (value != FChecked) {
        FChecked = value;
        FOwner->Owner()->Model()->CellsChanged(Index(), 0, 0, Qt::CheckStateRole);
    }
}

void TListItem::SubItemsChanged() {
    FOwner->Owner()->Model()->CellsChanged(Index(), 1, std::numeric_limits<int>::max());
}

int TListItem::Index() const {
    return FOwner->IndexOf(this);
}

bool TListItem::Selected() const {
    const TCustomListView* list = FOwner->Owner();
    return list->Rows()->selectionModel()->isSelected(list->IndexOfRow(Index()));
}

void TListItem::SetSelected(bool value) {
    const TCustomListView* list = FOwner->Owner();
    const QItemSelectionModel::SelectionFlags command =
        (value ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
        QItemSelectionModel::Rows;
    list->Rows()->selectionModel()->select(list->IndexOfRow(Index()), command);
}

bool TListItem::Focused() const {
    const TCustomListView* list = FOwner->Owner();
    const QModelIndex current = list->Rows()->currentIndex();
    return current.isValid() && current.row() == Index();
}

void TListItem::SetFocused(bool value) {
    const TCustomListView* list = FOwner->Owner();
    QItemSelectionModel* selection = list->Rows()->selectionModel();
    if (value) {
        selection->setCurrentIndex(list->IndexOfRow(Index()), QItemSelectionModel::NoUpdate);
    } else if (Focused()) {
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void TListItem::MakeVisible() {
    const TCustomListView* list = FOwner->Owner();
    list->Rows()->scrollTo(list->IndexOfRow(Index()));
}

// ---------------------------------------------------------------------------

TListItems::TListItems(TCustomListView* owner) : FOwner(owner) {}

TListItems::~TListItems() = default;

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TListItem>(this);
    TListItem* result = item.get();
    result->FIndex = index;
    FOwner->Model()->BeginInsertRow(index);
    FItems.insert(FItems.begin() + index, std::move(item));
    if (index + 1 < Count()) {
        RowsMovedFrom(index + 1);
    }
    FOwner->Model()->EndInsertRow();
    RaiseItemEvent(FOwner->OnInsert, result);
    return result;
}

void TListItems::RaiseItemEvent(const std::function<void(TObject*, TListItem*)>& event,
                                TListItem* item) {
    if (event && !FOwner->IsLoading()) {
        CallReportingExceptions(FOwner, [this, &event, item] { event(FOwner, item); });
    }
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    RaiseItemEvent(FOwner->OnDeletion, Item(index));
    // The handler may have changed the rows.
    if (index >= Count()) {
        return;
    }
    FOwner->Model()->BeginRemoveRow(index);
    FItems.erase(FItems.begin() + index);
    RowsMovedFrom(index);
    FOwner->Model()->EndRemoveRow();
    FOwner->Perform(LVM_DELETEITEM, index);
}

void TListItems::Clear() {
    // By index: a handler may change the rows.
    for (int i = 0, count = Count(); FOwner->OnDeletion && i < std::min(count, Count()); ++i) {
        RaiseItemEvent(FOwner->OnDeletion, Item(i));
    }
    FOwner->Model()->BeginClear();
    FItems.clear();
    FFirstStale = std::numeric_limits<int>::max();
    FOwner->Model()->EndClear();
    FOwner->Perform(LVM_DELETEITEM, -1);
}

int TListItems::IndexOf(const TListItem* item) const {
    if (item == nullptr || item->FOwner != this) {
        return -1;
    }
    const int stored = item->FIndex;
    if (stored < Count() && FItems[stored].get() == item) {
        return stored;
    }
    for (int i = FFirstStale; i < Count(); ++i) {
        FItems[i]->FIndex = i;
    }
    FFirstStale = std::numeric_limits<int>::max();
    return item->FIndex;
}

namespace {

bool CaptionBefore(const TListItem& a, const TListItem& b) {
    return a.Caption().compare(b.Caption(), Qt::CaseInsensitive) < 0;
}

} // namespace

void TListItems::SortByCaption() {
    std::vector<int> order(FItems.size());
    for (int row = 0; row < Count(); ++row) {
        order[row] = row;
    }
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return CaptionBefore(*FItems[a], *FItems[b]); });
    std::vector<int> newRowOf(order.size());
    std::vector<std::unique_ptr<TListItem>> sorted(order.size());
    for (int row = 0; row < Count(); ++row) {
        newRowOf[order[row]] = row;
        sorted[row] = std::move(FItems[order[row]]);
        sorted[row]->FIndex = row;
    }
    TListViewModel* model = FOwner->Model();
    model->BeginReorder();
    FItems.swap(sorted);
    FFirstStale = std::numeric_limits<int>::max();
    model->EndReorder(newRowOf);
}

void TListItems::CaptionChanged(int index) {
    if (!FOwner->SortsByCaption() || FUpdateCount > 0) {
        return;
    }
    // Most changes leave the row in order: only a row out of place costs a sort.
    const TListItem& item = *FItems[index];
    const bool afterPrevious = index == 0 || !CaptionBefore(item, *FItems[index - 1]);
    const bool beforeNext = index + 1 >= Count() || !CaptionBefore(*FItems[index + 1], item);
    if (!afterPrevious || !beforeNext) {
        SortByCaption();
    }
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0) {
        FOwner->Rows()->setUpdatesEnabled(false);
    }
}

void TListItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) {
        if (FOwner->SortsByCaption()) {
            SortByCaption();
        }
        FOwner->Rows()->setUpdatesEnabled(true);
        FOwner->Perform(WM_SETREDRAW, 1);
    }
}

// ---------------------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner), FColumns(new TListColumns(this)), FModel(new TListViewModel(this)),
      FItems(std::make_unique<TListItems>(this)), FIconOptions(new TIconOptions(this)),
      FItemsData(new TListItemsData(this)) {
    RecreateHandle();
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetTabStop(true);
    FColumns->OnUpdate = [this](TCollectionItem*) { ColumnsChanged(); };
    SetBounds(0, 0, 250, 150);
    SetViewStyle(vsIcon);
    Rows()->SetHideSelection(FHideSelection);
    SetColumnClick(FColumnClick);
    QObject::connect(Rows()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                     [this] {
                         if (OnChange && !IsLoading()) {
                             CallReportingExceptions(this, [this] { OnChange(this); });
                         }
                     });
    QObject::connect(Rows()->Header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (FColumnClick && OnColumnClick && section >= 0 && section < FColumns->Count()) {
            CallReportingExceptions(
                this, [this, section] { OnColumnClick(this, FColumns->Items(section)); });
        }
    });
}

TCustomListView::~TCustomListView() {
    // The view falls back to an empty model when its model goes, before the rows go.
    delete FModel;
    FItems.reset();
    // A collection is no child of its owner: the list view frees its columns itself.
    delete FColumns;
}

TListRowsView* TCustomListView::Rows() const {
    return static_cast<TListRowsView*>(Handle());
}

QModelIndex TCustomListView::IndexOfRow(int row) const {
    return FModel->index(row, 0);
}

void TCustomListView::ColumnsChanged() {
    const int count = FColumns->Count();
    FModel->ColumnsChanged(count);
    for (int i = 0; i < count; ++i) {
        Rows()->Header()->resizeSection(i, FColumns->Items(i)->Width());
    }
}

void TCustomListView::SetGridLines(bool value) {
    FGridLines = value;
    TListRowsView* rows = Rows();
    QAbstractItemDelegate* old = rows->itemDelegate();
    rows->setItemDelegate(value ? static_cast<QAbstractItemDelegate*>(new TGridDelegate(rows))
                                : new QStyledItemDelegate(rows));
    delete old;
}

void TCustomListView::SetRowSelect(bool value) {
    FRowSelect = value;
    Rows()->SetAllColumnsShowFocus(value);
}

void TCustomListView::SetMultiSelect(bool value) {
    FMultiSelect = value;
    Rows()->setSelectionMode(value ? QAbstractItemView::ExtendedSelection
                                   : QAbstractItemView::SingleSelection);
}

void TCustomListView::SetHideSelection(bool value) {
    FHideSelection = value;
    Rows()->SetHideSelection(value);
}

void TCustomListView::SetSortType(TSortType value) {
    FSortType = value;
    if (SortsByCaption()) {
        FItems->SortByCaption();
    }
}

void TCustomListView::SetCheckboxes(bool value) {
    if (value != FCheckboxes) {
        FCheckboxes = value;
        // The check box may make the rows taller.
        Rows()->doItemsLayout();
    }
}

void TCustomListView::SetShowColumnHeaders(bool value) {
    FShowColumnHeaders = value;
    Rows()->SetHeaderHidden(!value || FViewStyle != vsReport);
}

void TCustomListView::SetColumnClick(bool value) {
    FColumnClick = value;
    Rows()->Header()->setSectionsClickable(value);
}

void TCustomListView::SetViewStyle(TViewStyle value) {
    // Only the report view exists here; the other styles show the rows without
    // column headers.
    FViewStyle = value;
    Rows()->SetHeaderHidden(!FShowColumnHeaders || value != vsReport);
}

void TCustomListView::SetBorderStyle(TCustomPanel::TBorderStyle value) {
    FBorderStyle = value;
    Rows()->setFrameShape(value == TCustomPanel::bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    // A non-client band is carried by the widget's frame too: put it back.
    RecreateFrame();
}

TListItem* TCustomListView::Selected() const {
    int first = -1;
    for (const QItemSelectionRange& range : Rows()->selectionModel()->selection()) {
        if (range.isValid() && (first < 0 || range.top() < first)) {
            first = range.top();
        }
    }
    return first >= 0 && first < FItems->Count() ? FItems->Item(first) : nullptr;
}

TListItem* TCustomListView::ItemFocused() const {
    const QModelIndex current = Rows()->currentIndex();
    return current.isValid() && current.row() < FItems->Count() ? FItems->Item(current.row())
                                                                : nullptr;
}

void TCustomListView::ApplyColorToWidget() {
    QPalette palette = Rows()->palette();
    palette.setColor(QPalette::Base, ColorToQColor(Color()));
    Rows()->setPalette(palette);
}

void TCustomListView::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!FNotifyingScroll) {
            ActOnScrollMessage(message);
        }
        return;
    case LVM_DELETEITEM:
    case WM_SETREDRAW:
        return;
    default:
        TWinControl::WndProc(message);
    }
}
