#include "framework/controls/ComCtrls.h"

#include "framework/core/Application.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

// Frame width around the pages and the gap between tabs and pages.
constexpr int PageFrame = 4;

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

// ---------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque | csAcceptsControls);
    SetColor(clBtnFace);
    SetVisible(false);
}

TPageControl* TTabSheet::PageControl() const {
    return qobject_cast<TPageControl*>(Parent());
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    SetParent(pageControl);
}

int TTabSheet::PageIndex() const {
    TPageControl* owner = PageControl();
    if (owner == nullptr) {
        return -1;
    }
    const auto it = std::find(owner->FPages.begin(), owner->FPages.end(), this);
    return it == owner->FPages.end() ? -1 : static_cast<int>(it - owner->FPages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (TPageControl* owner = PageControl()) {
        owner->MovePage(this, index);
    }
}

int TTabSheet::TabIndex() const {
    TPageControl* owner = PageControl();
    if (owner == nullptr || !FTabVisible) {
        return -1;
    }
    int index = 0;
    for (TTabSheet* page : owner->FPages) {
        if (page == this) {
            return index;
        }
        if (page->FTabVisible) {
            ++index;
        }
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value != FTabVisible) {
        FTabVisible = value;
        if (TPageControl* owner = PageControl()) {
            owner->RebuildTabs();
        }
    }
}

void TTabSheet::CMTextChanged(TMessage& message) {
    TWinControl::CMTextChanged(message);
    if (TPageControl* owner = PageControl()) {
        owner->RebuildTabs();
    }
}

// ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner), FTabBar(new QTabBar(Handle())) {
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetColor(clBtnFace);
    SetTabStop(true);
    FTabBar->setDrawBase(false);
    FTabBar->setExpanding(false);
    FTabBar->setFocusPolicy(Qt::NoFocus);
    FTabBar->move(2, 0);
    Handle()->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(FTabBar, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (!FRebuilding && tab >= 0) {
            CallReportingExceptions(this, [this, tab] { TabClicked(tab); });
        }
    });
    SetBounds(0, 0, 289, 193);
}

void TPageControl::TabClicked(int tab) {
    for (TTabSheet* page : FPages) {
        if (page->TabIndex() == tab && page != FActivePage && CanChange()) {
            SetActivePage(page);
            Change();
            return;
        }
    }
}

int TPageControl::ActivePageIndex() const {
    return FActivePage != nullptr ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? FPages.at(index) : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page != nullptr && page->PageControl() != this) {
        return;
    }
    FActivePage = page;
    ShowActivePage();
}

void TPageControl::ShowActivePage() {
    for (TTabSheet* page : FPages) {
        page->SetVisible(page == FActivePage);
    }
    if (FActivePage != nullptr) {
        const TRect rect = DisplayRect();
        FActivePage->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
        FActivePage->BringToFront();
    }
    const bool saved = FRebuilding;
    FRebuilding = true;
    FTabBar->setCurrentIndex(FActivePage != nullptr ? FActivePage->TabIndex() : -1);
    FRebuilding = saved;
    Invalidate();
}

void TPageControl::SelectNextPage(bool forward) {
    if (TTabSheet* next = FindNextPage(FActivePage, forward, true);
        next != nullptr && next != FActivePage && CanChange()) {
        SetActivePage(next);
        Change();
    }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward,
                                      bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) {
        return nullptr;
    }
    const auto found = std::find(FPages.begin(), FPages.end(), current);
    int index = found != FPages.end() ? static_cast<int>(found - FPages.begin())
                                      : (forward ? count - 1 : 0);
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index + count - 1) % count;
        TTabSheet* page = FPages.at(index);
        if (!checkTabVisible || page->TabVisible()) {
            return page;
        }
    }
    return nullptr;
}

void TPageControl::SetTabHeight(int value) {
    FTabHeight = std::max(0, value);
    Realign();
}

TRect TPageControl::DisplayRect() const {
    const int tabHeight = FTabHeight > 0 ? FTabHeight : FTabBar->sizeHint().height();
    TRect rect = Rect(0, tabHeight, Width(), Height());
    InflateRect(rect, -PageFrame, -PageFrame);
    rect.Top = tabHeight + PageFrame - 2;
    return rect;
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
    FTabBar->resize(std::max(0, Width() - 4),
                    FTabHeight > 0 ? FTabHeight : FTabBar->sizeHint().height());
    const TRect display = DisplayRect();
    for (TTabSheet* page : FPages) {
        page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
    }
    TWinControl::AlignControls(control, rect);
}

void TPageControl::ControlListChange(TControl* control, bool inserting) {
    TWinControl::ControlListChange(control, inserting);
    if (inserting) {
        if (auto* page = qobject_cast<TTabSheet*>(control)) {
            InsertPage(page);
        }
        return;
    }
    // A page leaving from its destructor is no longer a TTabSheet: find it by address.
    const auto it = std::find_if(FPages.begin(), FPages.end(),
                                 [control](const TTabSheet* page) { return page == control; });
    if (it != FPages.end()) {
        RemovePage(*it);
    }
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    const TRect display = DisplayRect();
    page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
    RebuildTabs();
    if (FActivePage == nullptr) {
        SetActivePage(page);
    } else {
        page->SetVisible(false);
    }
}

void TPageControl::RemovePage(TTabSheet* page) {
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true, false) : FActivePage;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    if (next == page) {
        next = nullptr;
    }
    RebuildTabs();
    SetActivePage(next);
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    const int current = page->PageIndex();
    if (current < 0 || index < 0 || index >= PageCount() || index == current) {
        return;
    }
    FPages.erase(FPages.begin() + current);
    FPages.insert(FPages.begin() + index, page);
    RebuildTabs();
}

void TPageControl::RebuildTabs() {
    FRebuilding = true;
    while (FTabBar->count() > 0) {
        FTabBar->removeTab(FTabBar->count() - 1);
    }
    for (TTabSheet* page : FPages) {
        if (page->TabVisible()) {
            FTabBar->addTab(page->Caption());
        }
    }
    FRebuilding = false;
    ShowActivePage();
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    RebuildTabs();
}

TNotifyEvent* TPageControl::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnChange") ? &OnChange : TWinControl::NotifyEvent(name);
}

void TPageControl::Change() {
    if (OnChange) {
        OnChange(this);
    }
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) {
        OnChanging(this, allow);
    }
    return allow;
}

void TPageControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_KEYDOWN:
        if (message.WParam == VK_LEFT || message.WParam == VK_RIGHT) {
            SelectNextPage(message.WParam == VK_RIGHT);
            message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR: {
        const QChar ch(static_cast<char16_t>(message.WParam));
        for (TTabSheet* page : FPages) {
            if (page->TabVisible() && IsAccel(ch, page->Caption()) && CanChange()) {
                SetActivePage(page);
                Change();
                message.Result = 1;
                return;
            }
        }
        break;
    }
    case WM_PAINT: {
        TWinControl::WndProc(message);
        TCanvas* canvas =
            message.WParam != 0 ? reinterpret_cast<TCanvas*>(message.WParam) : PaintCanvas();
        if (canvas != nullptr) {
            TRect frame = DisplayRect();
            InflateRect(frame, 2, 2);
            Frame3D(*canvas, frame, clBtnHighlight, cl3DDkShadow, 1);
            Frame3D(*canvas, frame, cl3DLight, clBtnShadow, 1);
        }
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(message);
}

// ---------------------------------------------------------------------------

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

TListItem::TListItem(TListItems* owner)
    : FOwner(owner), FRow(new QTreeWidgetItem()), FSubItems(std::make_unique<TStringList>()) {
    FSubItems->OnChange = [this](TObject*) { SubItemsChanged(); };
}

TListItem::~TListItem() {
    delete FRow;
}

QString TListItem::Caption() const {
    return FRow->text(0);
}

void TListItem::SetCaption(const QString& caption) {
    FRow->setText(0, caption);
}

void TListItem::SubItemsChanged() {
    const int count = FSubItems->Count();
    for (int i = 0; i < count; ++i) {
        FRow->setText(i + 1, FSubItems->Get(i));
    }
    for (int column = count + 1; column < FRow->columnCount(); ++column) {
        FRow->setText(column, QString());
    }
}

int TListItem::Index() const {
    return FOwner->IndexOf(this);
}

bool TListItem::Selected() const {
    return FRow->isSelected();
}

void TListItem::SetSelected(bool value) {
    FRow->setSelected(value);
}

void TListItem::MakeVisible() {
    if (QTreeWidget* tree = FRow->treeWidget()) {
        tree->scrollToItem(FRow);
    }
}

TListItems::TListItems(TCustomListView* owner) : FOwner(owner) {}

TListItems::~TListItems() {
    FItems.clear();
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TListItem>(this);
    TListItem* result = item.get();
    FOwner->Tree()->insertTopLevelItem(index, result->Row());
    FItems.insert(FItems.begin() + index, std::move(item));
    return result;
}

void TListItems::Delete(int index) {
    FItems.erase(FItems.begin() + index);
    FOwner->Perform(LVM_DELETEITEM, index);
}

void TListItems::Clear() {
    QTreeWidget* tree = FOwner->Tree();
    tree->setUpdatesEnabled(false);
    FItems.clear();
    tree->setUpdatesEnabled(true);
    FOwner->Perform(LVM_DELETEITEM, -1);
}

int TListItems::IndexOf(const TListItem* item) const {
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i].get() == item) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0) {
        FOwner->Tree()->setUpdatesEnabled(false);
    }
}

void TListItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) {
        FOwner->Tree()->setUpdatesEnabled(true);
        FOwner->Perform(WM_SETREDRAW, 1);
    }
}

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner), FColumns(new TListColumns(this)),
      FItems(std::make_unique<TListItems>(this)) {
    RecreateHandle();
    SetControlStyle(ControlStyle() & ~TControlStyle(csClickEvents));
    SetTabStop(true);
    FColumns->OnUpdate = [this](TCollectionItem*) { ColumnsChanged(); };
    SetBounds(0, 0, 250, 150);
    SetViewStyle(vsIcon);
    QObject::connect(Tree(), &QTreeWidget::itemSelectionChanged, this, [this] {
        if (OnChange && !IsLoading()) {
            CallReportingExceptions(this, [this] { OnChange(this); });
        }
    });
}

TCustomListView::~TCustomListView() {
    FItems.reset();
    // A collection is no child of its owner: the list view frees its columns itself.
    delete FColumns;
}

QTreeWidget* TCustomListView::Tree() const {
    return static_cast<QTreeWidget*>(Handle());
}

void TCustomListView::ColumnsChanged() {
    QTreeWidget* tree = Tree();
    const int count = FColumns->Count();
    tree->setColumnCount(std::max(1, count));
    QStringList labels;
    for (int i = 0; i < count; ++i) {
        labels.append(FColumns->Items(i)->Caption());
    }
    tree->setHeaderLabels(labels);
    for (int i = 0; i < count; ++i) {
        tree->header()->resizeSection(i, FColumns->Items(i)->Width());
    }
}

void TCustomListView::SetGridLines(bool value) {
    FGridLines = value;
    QTreeWidget* tree = Tree();
    QAbstractItemDelegate* old = tree->itemDelegate();
    tree->setItemDelegate(value ? static_cast<QAbstractItemDelegate*>(new TGridDelegate(tree))
                                : new QStyledItemDelegate(tree));
    delete old;
}

void TCustomListView::SetRowSelect(bool value) {
    FRowSelect = value;
    Tree()->setAllColumnsShowFocus(value);
}

void TCustomListView::SetMultiSelect(bool value) {
    FMultiSelect = value;
    Tree()->setSelectionMode(value ? QAbstractItemView::ExtendedSelection
                                   : QAbstractItemView::SingleSelection);
}

void TCustomListView::SetShowColumnHeaders(bool value) {
    FShowColumnHeaders = value;
    Tree()->setHeaderHidden(!value || FViewStyle != vsReport);
}

void TCustomListView::SetColumnClick(bool value) {
    FColumnClick = value;
    Tree()->header()->setSectionsClickable(value);
}

void TCustomListView::SetViewStyle(TViewStyle value) {
    // Only the report view exists here; the other styles show the rows without
    // column headers.
    FViewStyle = value;
    Tree()->setHeaderHidden(!FShowColumnHeaders || value != vsReport);
}

void TCustomListView::SetBorderStyle(TCustomPanel::TBorderStyle value) {
    FBorderStyle = value;
    Tree()->setFrameShape(value == TCustomPanel::bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    // A non-client band is carried by the widget's frame too: put it back.
    RecreateFrame();
}

TListItem* TCustomListView::Selected() const {
    for (int i = 0; i < FItems->Count(); ++i) {
        if (FItems->Item(i)->Selected()) {
            return FItems->Item(i);
        }
    }
    return nullptr;
}

TNotifyEvent* TCustomListView::NotifyEvent(const QString& name) {
    return name == QLatin1String("OnChange") ? &OnChange : TWinControl::NotifyEvent(name);
}

void TCustomListView::ApplyColorToWidget() {
    QPalette palette = Tree()->palette();
    palette.setColor(QPalette::Base, ColorToQColor(Color()));
    Tree()->setPalette(palette);
}

void TCustomListView::ApplyFontToWidget() {
    TWinControl::ApplyFontToWidget();
    FRowHeight = 0;
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
