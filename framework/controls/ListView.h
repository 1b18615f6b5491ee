// The framework's report list view: columns, rows of a caption and sub-items, selection
// and focus, its own scroll bars and the scroll messages they send.
#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/Panel.h"
#include "framework/core/Collection.h"
#include "framework/core/Strings.h"

#include <QModelIndex>
#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

class TListRowsView;
class TListViewModel;

// A list-view column: caption and width.
class TListColumn : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(TCustomPanel::TAlignment Alignment READ Alignment WRITE SetAlignment)
public:
    using TCollectionItem::TCollectionItem;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    QString DisplayName() const override { return FCaption; }

private:
    QString FCaption;
    int FWidth = 50;
    TAlignment FAlignment = TCustomPanel::taLeftJustify;
};

// The columns of a list view.
class TListColumns : public TCollection {
    Q_OBJECT
public:
    explicit TListColumns(QObject* owner);
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int index) const {
        return static_cast<TListColumn*>(TCollection::Items(index));
    }
};

class TListItems;

// One row: its caption is the first column, SubItems the following ones.
class TListItem {
public:
    explicit TListItem(TListItems* owner);
    ~TListItem();
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TStrings* SubItems() const { return FSubItems.get(); }
    int Index() const;
    bool Selected() const;
    void SetSelected(bool value);
    // The row holds the list's focus (its current row).
    bool Focused() const;
    void SetFocused(bool value);
    void MakeVisible();
    QObject* Data() const { return FData; }
    void SetData(QObject* data) { FData = data; }

private:
    friend class TListItems;
    void SubItemsChanged();

    TListItems* FOwner;
    QString FCaption;
    std::unique_ptr<TStringList> FSubItems;
    QObject* FData = nullptr;
    // The row's index as last numbered; the list numbers again lazily after rows moved.
    int FIndex = 0;
};

class TCustomListView;

// The rows of a list view, in order. Adding at the end, changing a row and finding a
// row's index cost the same at any count.
class TListItems {
public:
    explicit TListItems(TCustomListView* owner);
    ~TListItems();
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int index) const { return FItems.at(index).get(); }
    TListItem* operator[](int index) const { return Item(index); }
    int IndexOf(const TListItem* item) const;
    void BeginUpdate();
    void EndUpdate();
    TCustomListView* Owner() const { return FOwner; }

private:
    friend class TListItem;
    // Rows from index on moved: their stored indexes are stale.
    void RowsMovedFrom(int index) { FFirstStale = std::min(FFirstStale, index); }

    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
    // Items before this index kept their place since they were last numbered; the
    // others are numbered again when an index is asked for and found stale.
    mutable int FFirstStale = std::numeric_limits<int>::max();
};

// WM_HSCROLL and WM_VSCROLL codes (low word of WParam; the high word carries the
// position of SB_THUMBPOSITION and SB_THUMBTRACK).
constexpr intptr_t SB_LINEUP = 0;
constexpr intptr_t SB_LINEDOWN = 1;
constexpr intptr_t SB_PAGEUP = 2;
constexpr intptr_t SB_PAGEDOWN = 3;
constexpr intptr_t SB_THUMBPOSITION = 4;
constexpr intptr_t SB_THUMBTRACK = 5;
constexpr intptr_t SB_TOP = 6;
constexpr intptr_t SB_BOTTOM = 7;
constexpr intptr_t SB_ENDSCROLL = 8;
// Sent by the list view when the outermost EndUpdate switches redrawing back on
// (WParam 1).
constexpr uint32_t WM_SETREDRAW = 0x000B;
// Sent by the list view after it deleted the item at WParam (-1: all items at once).
constexpr uint32_t LVM_DELETEITEM = 0x1008;

// The state of one of a control's own scroll bars, in the classic terms: the range
// runs from Min to Max with the page included (Max = last position + Page - 1).
struct TScrollBarState {
    bool Shown = false;
    bool Usable = false;
    int ThumbLength = 0;
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Position = 0;
};

// A report-style list view over a flat row view of its own model.
class TCustomListView : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TListColumns* Columns READ Columns)
    Q_PROPERTY(bool GridLines READ GridLines WRITE SetGridLines)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool RowSelect READ RowSelect WRITE SetRowSelect)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(bool ShowColumnHeaders READ ShowColumnHeaders WRITE SetShowColumnHeaders)
    Q_PROPERTY(bool ColumnClick READ ColumnClick WRITE SetColumnClick)
    Q_PROPERTY(TViewStyle ViewStyle READ ViewStyle WRITE SetViewStyle)
    Q_PROPERTY(TCustomPanel::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
public:
    enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
    Q_ENUM(TViewStyle)

    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TListColumns* Columns() const { return FColumns; }
    TListItems* Items() const { return FItems.get(); }
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value) { FHideSelection = value; }
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool value);
    bool ColumnClick() const { return FColumnClick; }
    void SetColumnClick(bool value);
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle value);
    TCustomPanel::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TCustomPanel::TBorderStyle value);
    // The first selected row, or nil.
    TListItem* Selected() const;
    // The row holding the focus, or nil.
    TListItem* ItemFocused() const;
    void Clear() { FItems->Clear(); }

    TListRowsView* Rows() const;
    TListViewModel* Model() const { return FModel; }
    // The state of the list's own bar, derived from the row count, the row height and
    // the header's length without laying the rows out: it costs the same for any count.
    // Vertically the list scrolls by whole rows: the range is 0..rows - 1 and the page
    // is the number of rows that fit entirely.
    TScrollBarState ScrollBarState(Qt::Orientation orientation) const;
    // Scrolls dx pixels horizontally and dy rows vertically.
    void Scroll(int dx, int dy);
    TNotifyEvent* NotifyEvent(const QString& name) override;

    TNotifyEvent OnChange;

protected:
    QWidget* CreateHandle() override;
    void WndProc(TMessage& message) override;
    void ApplyColorToWidget() override;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListViewWidget;
    QModelIndex IndexOfRow(int row) const;
    void ColumnsChanged();
    // Acts on a WM_HSCROLL or WM_VSCROLL that someone sent the list.
    void ActOnScrollMessage(const TMessage& message);
    // Tells the window procedure that the list scrolled, however it happened.
    void NotifyScrolled(Qt::Orientation orientation, int value);

    TListColumns* FColumns;
    TListViewModel* FModel;
    std::unique_ptr<TListItems> FItems;
    bool FGridLines = false;
    bool FReadOnly = false;
    bool FRowSelect = false;
    bool FMultiSelect = false;
    bool FHideSelection = true;
    bool FShowColumnHeaders = true;
    bool FColumnClick = true;
    TViewStyle FViewStyle = vsIcon;
    TCustomPanel::TBorderStyle FBorderStyle = TCustomPanel::bsSingle;
    bool FNotifyingScroll = false;
};

class TListView : public TCustomListView {
    Q_OBJECT
public:
    using TCustomListView::TCustomListView;
};
