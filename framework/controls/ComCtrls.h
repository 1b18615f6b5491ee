#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/Panel.h"
#include "framework/core/Collection.h"
#include "framework/core/Strings.h"

#include <QTabBar>
#include <QTreeWidget>
#include <memory>
#include <vector>

class TPageControl;

// One page of a page control; its parent is the page control, which shows only the
// active page.
class TTabSheet : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TPageControl* PageControl READ PageControl WRITE SetPageControl)
    Q_PROPERTY(int PageIndex READ PageIndex WRITE SetPageIndex)
    Q_PROPERTY(bool TabVisible READ TabVisible WRITE SetTabVisible)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
public:
    explicit TTabSheet(TComponent* AOwner);

    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* pageControl);
    int PageIndex() const;
    void SetPageIndex(int index);
    // The index among the visible tabs, or -1 when the tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }

protected:
    void CMTextChanged(TMessage& message) override;

private:
    bool FTabVisible = true;
    int FImageIndex = -1;
};

// Pages with tabs on top. The pages are its child controls; it lists them without
// owning them.
class TPageControl : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TTabSheet* ActivePage READ ActivePage WRITE SetActivePage)
    Q_PROPERTY(int ActivePageIndex READ ActivePageIndex WRITE SetActivePageIndex)
    Q_PROPERTY(int TabHeight READ TabHeight WRITE SetTabHeight)
public:
    explicit TPageControl(TComponent* AOwner);

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(index); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    void SelectNextPage(bool forward);
    TTabSheet* FindNextPage(TTabSheet* current, bool forward, bool checkTabVisible) const;
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    QTabBar* TabBar() const { return FTabBar; }
    TNotifyEvent* NotifyEvent(const QString& name) override;

    // The area the pages fill.
    virtual TRect DisplayRect() const;

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    void ControlListChange(TControl* control, bool inserting) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    virtual void Change();
    virtual bool CanChange();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void RebuildTabs();
    void ShowActivePage();
    // The user clicked a tab: change pages when the page control allows it.
    void TabClicked(int tab);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    QTabBar* FTabBar;
    int FTabHeight = 0;
    bool FRebuilding = false;
};

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

    QString Caption() const;
    void SetCaption(const QString& caption);
    TStrings* SubItems() const { return FSubItems.get(); }
    int Index() const;
    bool Selected() const;
    void SetSelected(bool value);
    void MakeVisible();
    QObject* Data() const { return FData; }
    void SetData(QObject* data) { FData = data; }
    QTreeWidgetItem* Row() const { return FRow; }

private:
    void SubItemsChanged();

    TListItems* FOwner;
    QTreeWidgetItem* FRow;
    std::unique_ptr<TStringList> FSubItems;
    QObject* FData = nullptr;
};

class TCustomListView;

// The rows of a list view, in order.
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
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
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

// A report-style list view over a flat QTreeWidget.
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
    TListItem* Selected() const;
    void Clear() { FItems->Clear(); }

    QTreeWidget* Tree() const;
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
    void ApplyFontToWidget() override;

private:
    friend class TListItems;
    friend class TListViewWidget;
    void ColumnsChanged();
    // Acts on a WM_HSCROLL or WM_VSCROLL that someone sent the list.
    void ActOnScrollMessage(const TMessage& message);
    // Tells the window procedure that the list scrolled, however it happened.
    void NotifyScrolled(Qt::Orientation orientation, int value);
    int RowHeight() const;

    TListColumns* FColumns;
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
    mutable int FRowHeight = 0;
};

class TListView : public TCustomListView {
    Q_OBJECT
public:
    using TCustomListView::TCustomListView;
};
