// The framework's report list view: columns, rows of a caption and sub-items, selection
// and focus, its own scroll bars and the scroll messages they send.
#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/Menus.h"
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
    // The row's check box, shown when the list has Checkboxes.
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    QObject* Data() const { return FData; }
    void SetData(QObject* data) { FData = data; }

private:
    friend class TListItems;
    void SubItemsChanged();

    TListItems* FOwner;
    QString FCaption;
    std::unique_ptr<TStringList> FSubItems;
    QObject* FData = nullptr;
    bool FChecked = false;
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
    // Puts the rows in caption order (case-insensitive; equal captions keep their order),
    // keeping selection and focus on the same rows.
    void SortByCaption();

private:
    friend class TListItem;
    // Raises one of the owner's row events for item.
    void RaiseItemEvent(const std::function<void(TObject*, TListItem*)>& event, TListItem* item);
    // A row's caption changed: a list sorted by caption moves it to its place.
    void CaptionChanged(int index);
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

// The rows as a layout stores them ("Items.Data = {...}"): a little-endian 32-bit size of
// the whole block and row count, then per row five 32-bit numbers (image, state and
// overlay index, sub-item count, data), the caption and each sub-item as a length byte
// and single-byte text; sub-item image indexes may follow. Reading replaces the rows;
// data that does not hold together is refused whole.
class TListItemsData : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QByteArray Data READ Data WRITE SetData)
public:
    explicit TListItemsData(TCustomListView* listView);
    QByteArray Data() const;
    void SetData(const QByteArray& data);

private:
    TCustomListView* FListView;
};

// How icons are arranged in the icon views. Stored for layouts: only the report view
// is drawn.
class TIconOptions : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TIconArrangement Arrangement READ Arrangement WRITE SetArrangement)
    Q_PROPERTY(bool AutoArrange READ AutoArrange WRITE SetAutoArrange)
    Q_PROPERTY(bool WrapText READ WrapText WRITE SetWrapText)
public:
    enum TIconArrangement { iaTop, iaLeft };
    Q_ENUM(TIconArrangement)
    using TPersistent::TPersistent;
    TIconArrangement Arrangement() const { return FArrangement; }
    void SetArrangement(TIconArrangement value) { FArrangement = value; }
    bool AutoArrange() const { return FAutoArrange; }
    void SetAutoArrange(bool value) { FAutoArrange = value; }
    bool WrapText() const { return FWrapText; }
    void SetWrapText(bool value) { FWrapText = value; }

private:
    TIconArrangement FArrangement = iaTop;
    bool FAutoArrange = false;
    bool FWrapText = true;
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
    Q_PROPERTY(TSortType SortType READ SortType WRITE SetSortType)
    Q_PROPERTY(bool Checkboxes READ Checkboxes WRITE SetCheckboxes)
    Q_PROPERTY(TComponent* LargeImages READ LargeImages WRITE SetLargeImages)
    Q_PROPERTY(TComponent* SmallImages READ SmallImages WRITE SetSmallImages)
    Q_PROPERTY(TComponent* StateImages READ StateImages WRITE SetStateImages)
    Q_PROPERTY(TIconOptions* IconOptions READ IconOptions)
    Q_PROPERTY(TListItemsData* Items READ ItemsData)
    Q_PROPERTY(int AllocBy READ AllocBy WRITE SetAllocBy)
    Q_PROPERTY(TCustomPanel::TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(TCustomPanel::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(bool FlatScrollBars READ FlatScrollBars WRITE SetFlatScrollBars)
    Q_PROPERTY(bool FullDrag READ FullDrag WRITE SetFullDrag)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
    Q_PROPERTY(THotTrackStyles HotTrackStyles READ HotTrackStyles WRITE SetHotTrackStyles)
    Q_PROPERTY(int HoverTime READ HoverTime WRITE SetHoverTime)
    Q_PROPERTY(bool OwnerData READ OwnerData WRITE SetOwnerData)
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE SetOwnerDraw)
    Q_PROPERTY(bool ShowWorkAreas READ ShowWorkAreas WRITE SetShowWorkAreas)
public:
    enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
    Q_ENUM(TViewStyle)
    // stText and stBoth keep the rows in caption order; stData sorts nothing here, as
    // no comparison of the rows' data exists.
    enum TSortType { stNone, stData, stText, stBoth };
    Q_ENUM(TSortType)
    enum THotTrackStyle { htHandPoint = 0x1, htUnderlineCold = 0x2, htUnderlineHot = 0x4 };
    Q_DECLARE_FLAGS(THotTrackStyles, THotTrackStyle)
    Q_FLAG(THotTrackStyles)
    enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
    Q_ENUM(TCustomDrawStage)
    enum TCustomDrawStateFlag {
        cdsSelected = 0x1,
        cdsGrayed = 0x2,
        cdsDisabled = 0x4,
        cdsChecked = 0x8,
        cdsFocused = 0x10,
        cdsDefault = 0x20,
        cdsHot = 0x40,
        cdsMarked = 0x80,
        cdsIndeterminate = 0x100,
    };
    Q_DECLARE_FLAGS(TCustomDrawState, TCustomDrawStateFlag)
    Q_FLAG(TCustomDrawState)
    enum TItemChange { ctText, ctImage, ctState };
    Q_ENUM(TItemChange)
    enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
    Q_ENUM(TItemFind)
    enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
    Q_ENUM(TSearchDirection)
    enum TItemStateFlag {
        isCut = 0x1,
        isDropHilited = 0x2,
        isFocused = 0x4,
        isSelected = 0x8,
        isActivating = 0x10,
    };
    Q_DECLARE_FLAGS(TItemStates, TItemStateFlag)
    Q_FLAG(TItemStates)

    using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
    using TLVColumnRClickEvent =
        std::function<void(TObject* Sender, TListColumn* Column, TPoint Point)>;
    using TLVCustomDrawEvent =
        std::function<void(TObject* Sender, const TRect& ARect, bool& DefaultDraw)>;
    using TLVCustomDrawItemEvent = std::function<void(TObject* Sender, TListItem* Item,
                                                      TCustomDrawState State, bool& DefaultDraw)>;
    using TLVCustomDrawSubItemEvent = std::function<void(
        TObject* Sender, TListItem* Item, int SubItem, TCustomDrawState State, bool& DefaultDraw)>;
    using TLVAdvancedCustomDrawEvent = std::function<void(
        TObject* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
    using TLVAdvancedCustomDrawItemEvent =
        std::function<void(TObject* Sender, TListItem* Item, TCustomDrawState State,
                           TCustomDrawStage Stage, bool& DefaultDraw)>;
    using TLVAdvancedCustomDrawSubItemEvent =
        std::function<void(TObject* Sender, TListItem* Item, int SubItem, TCustomDrawState State,
                           TCustomDrawStage Stage, bool& DefaultDraw)>;
    using TLVChangingEvent = std::function<void(TObject* Sender, TListItem* Item,
                                                TItemChange Change, bool& AllowChange)>;
    using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2,
                                               int Data, int& Compare)>;
    using TLVItemEvent = std::function<void(TObject* Sender, TListItem* Item)>;
    using TLVOwnerDataFindEvent = std::function<void(
        TObject* Sender, TItemFind Find, const QString& FindString, const TPoint& FindPosition,
        void* FindData, int StartIndex, TSearchDirection Direction, bool Wrap, int& Index)>;
    using TLVOwnerDataHintEvent =
        std::function<void(TObject* Sender, int StartIndex, int EndIndex)>;
    using TLVOwnerDataStateChangeEvent = std::function<void(
        TObject* Sender, int StartIndex, int EndIndex, TItemStates OldState, TItemStates NewState)>;
    using TLVDrawItemEvent = std::function<void(TObject* Sender, TListItem* Item, TRect Rect,
                                                TMenuItem::TOwnerDrawState State)>;
    using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, QString& S)>;
    using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
    using TLVSubItemImageEvent =
        std::function<void(TObject* Sender, TListItem* Item, int SubItem, int& ImageIndex)>;
    using TLVInfoTipEvent = std::function<void(TObject* Sender, TListItem* Item, QString& InfoTip)>;
    using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

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
    // The selection shows only while the list has the focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool value);
    bool ColumnClick() const { return FColumnClick; }
    void SetColumnClick(bool value);
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle value);
    TCustomPanel::TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TCustomPanel::TBorderStyle value);
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType value);
    // Whether the rows are kept in caption order.
    bool SortsByCaption() const { return FSortType == stText || FSortType == stBoth; }
    // Each row shows a check box the user can toggle (TListItem::Checked).
    bool Checkboxes() const { return FCheckboxes; }
    void SetCheckboxes(bool value);
    // Image lists named by a layout; the report view draws no images.
    TComponent* LargeImages() const { return FLargeImages.Get(); }
    void SetLargeImages(TComponent* images) { FLargeImages.Set(images); }
    TComponent* SmallImages() const { return FSmallImages.Get(); }
    void SetSmallImages(TComponent* images) { FSmallImages.Set(images); }
    TComponent* StateImages() const { return FStateImages.Get(); }
    void SetStateImages(TComponent* images) { FStateImages.Set(images); }
    TIconOptions* IconOptions() const { return FIconOptions; }
    TListItemsData* ItemsData() const { return FItemsData; }
    // Stored for layouts: the report view has no use for them.
    int AllocBy() const { return FAllocBy; }
    void SetAllocBy(int value) { FAllocBy = value; }
    TCustomPanel::TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TCustomPanel::TBevelCut value) { FBevelInner = value; }
    TCustomPanel::TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TCustomPanel::TBevelCut value) { FBevelOuter = value; }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value) { FBevelWidth = value; }
    bool FlatScrollBars() const { return FFlatScrollBars; }
    void SetFlatScrollBars(bool value) { FFlatScrollBars = value; }
    bool FullDrag() const { return FFullDrag; }
    void SetFullDrag(bool value) { FFullDrag = value; }
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value) { FHotTrack = value; }
    THotTrackStyles HotTrackStyles() const { return FHotTrackStyles; }
    void SetHotTrackStyles(THotTrackStyles value) { FHotTrackStyles = value; }
    int HoverTime() const { return FHoverTime; }
    void SetHoverTime(int value) { FHoverTime = value; }
    bool OwnerData() const { return FOwnerData; }
    void SetOwnerData(bool value) { FOwnerData = value; }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value) { FOwnerDraw = value; }
    bool ShowWorkAreas() const { return FShowWorkAreas; }
    void SetShowWorkAreas(bool value) { FShowWorkAreas = value; }
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
    std::optional<TEventSlot> EventSlot(const QString& name) override;

    TNotifyEvent OnChange;
    // Raised when a column header is clicked while ColumnClick is on.
    TLVColumnClickEvent OnColumnClick;
    // Raised after a row is added and before a deleted or cleared row goes (not when
    // the list itself goes).
    TLVItemEvent OnInsert;
    TLVItemEvent OnDeletion;
    // Bound by name from layouts; the report view raises none of them.
    TNotifyEvent OnColumnDragged;
    TLVColumnRClickEvent OnColumnRightClick;
    TLVCustomDrawEvent OnCustomDraw;
    TLVCustomDrawItemEvent OnCustomDrawItem;
    TLVCustomDrawSubItemEvent OnCustomDrawSubItem;
    TLVAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TLVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;
    TLVAdvancedCustomDrawSubItemEvent OnAdvancedCustomDrawSubItem;
    TLVChangingEvent OnChanging;
    TLVCompareEvent OnCompare;
    TLVItemEvent OnData;
    TLVOwnerDataFindEvent OnDataFind;
    TLVOwnerDataHintEvent OnDataHint;
    TLVOwnerDataStateChangeEvent OnDataStateChange;
    TLVDrawItemEvent OnDrawItem;
    TLVEditedEvent OnEdited;
    TLVEditingEvent OnEditing;
    TLVItemEvent OnGetImageIndex;
    TLVSubItemImageEvent OnGetSubItemImage;
    TLVInfoTipEvent OnInfoTip;
    TLVSelectItemEvent OnSelectItem;

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
    TSortType FSortType = stNone;
    bool FCheckboxes = false;
    TComponentReference<TComponent> FLargeImages{this};
    TComponentReference<TComponent> FSmallImages{this};
    TComponentReference<TComponent> FStateImages{this};
    TIconOptions* FIconOptions;
    TListItemsData* FItemsData;
    int FAllocBy = 0;
    TCustomPanel::TBevelCut FBevelInner = TCustomPanel::bvRaised;
    TCustomPanel::TBevelCut FBevelOuter = TCustomPanel::bvLowered;
    int FBevelWidth = 1;
    bool FFlatScrollBars = false;
    bool FFullDrag = false;
    bool FHotTrack = false;
    THotTrackStyles FHotTrackStyles;
    int FHoverTime = -1;
    bool FOwnerData = false;
    bool FOwnerDraw = false;
    bool FShowWorkAreas = false;
    bool FNotifyingScroll = false;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TCustomListView::THotTrackStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(TCustomListView::TCustomDrawState)
Q_DECLARE_OPERATORS_FOR_FLAGS(TCustomListView::TItemStates)

class TListView : public TCustomListView {
    Q_OBJECT
public:
    using TCustomListView::TCustomListView;
};
