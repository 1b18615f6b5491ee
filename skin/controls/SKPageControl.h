// The skinned page control: a tab control that keeps one page (TskTabSheet) per tab and
// brings the active page to the front.
#pragma once

#include "skin/controls/SKTabControl.h"

#include <QList>
#include <QStringList>

class TskPageControl;

// The strip of a page control.
class TskPageControlTopPanel : public TskTabControlTopPanel {
    Q_OBJECT
public:
    using TskTabControlTopPanel::TskTabControlTopPanel;
};

// One page: a plain panel filled with its colour that holds the page's controls. Its
// caption is the tab's; the panel's own text stays one blank.
class TskTabSheet : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(int PageIndex READ PageIndex WRITE SetPageIndex)
    Q_PROPERTY(QString Caption READ TabCaption WRITE SetTabCaption)
    Q_PROPERTY(bool TabVisible READ TabVisible WRITE SetTabVisible)
public:
    explicit TskTabSheet(TComponent* AOwner);
    // Leaves its page control first, while it is still a sheet.
    ~TskTabSheet() override;

    TskPageControl* PageControl() const { return FPageControl; }
    // Makes the sheet a page of pageControl (nullptr: of none).
    void SetPageControl(TskPageControl* pageControl);
    int PageIndex() const { return FPageIndex; }
    // Moves the page to index within its page control; other targets change nothing.
    void SetPageIndex(int index);
    QString TabCaption() const { return FCaption; }
    void SetTabCaption(const QString& caption);
    // The strip's flag for this page while it belongs to a page control.
    bool TabVisible() const;
    void SetTabVisible(bool visible);
    // The sheet's own copy of its visibility, kept whatever page control it is in.
    bool OwnTabVisible() const { return FTabVisible; }

    TNotifyEvent* NotifyEvent(const QString& name) override;
    // The layout's "PageControl = Name": looked up among the owner's components; a
    // missing name or a component that is no page control is ignored.
    void ReadPageControl(const QString& name);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

private:
    friend class TskPageControl;
    void DoShow();
    void DoHide();

    TskPageControl* FPageControl = nullptr;
    int FPageIndex = -1;
    QString FCaption;
    bool FTabVisible = true;
};

class TskPageControl : public TskTab {
    Q_OBJECT
    Q_PROPERTY(TskTabSheet* ActivePage READ ActivePage WRITE ActivatePage)
    Q_PROPERTY(int PageCount READ PageCount)
public:
    explicit TskPageControl(TComponent* AOwner);
    ~TskPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TskTabSheet* Pages(int index) const { return FPages.at(index); }
    TskTabSheet* ActivePage() const { return FActivePage; }
    // Makes sheet (one of the pages, or nullptr) the active page.
    void ActivatePage(TskTabSheet* sheet);
    void ActivatePageIndex(int index);
    // Like ActivatePageIndex, for indexes of existing pages only.
    void SelectPage(int index);
    // Page names read from a layout's Pages list, in the stored order.
    QStringList PageNames() const { return FPageNames; }
    // The layout's "Pages = (...)": the stored page order, applied once every named
    // page has arrived.
    void ReadPageNames(const QStringList& names);

    void SelectTab(int index) override;
    void BorderColorChanged() override;
    void TabActive(int index) override;
    void UpdateUIStyle(TskUIStyle style, TskFileTheme* theme) override;
    // Showing one of the pages (or a control on it) activates that page.
    void ShowControl(TControl* control) override;

protected:
    // Ctrl+Tab and Ctrl+PgDn turn to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the
    // previous one, wrapping around, while the focus is on this page control or outside
    // every page control (SKPageKeys.cpp).
    void CMDialogKey(TMessage& message) override;
    void ControlListChange(TControl* control, bool inserting) override;
    void CMColorChanged(TMessage& message) override;
    // The strip takes the page control's cursor.
    void WndProc(TMessage& message) override;

private:
    friend class TskTabSheet;
    bool TakesPageKeys() const;
    // The next (or previous) page whose tab is shown, wrapping around; its first control
    // in tab order takes the focus.
    void SelectNextPage(bool forward);
    // Puts the pages in the stored order once every named page has arrived.
    void SortPagesByStoredNames();
    void InsertPage(TskTabSheet* sheet);
    void RemovePage(TskTabSheet* sheet);
    void RenumberPages();
    void RebuildTabs();
    void DeactivateActivePage(int unlessIndex);
    void BringPageToFront(TskTabSheet* sheet);
    void FocusFirstControl(TskTabSheet* sheet);
    void TabVisibilityChanged(TskTabSheet* sheet, bool visible);

    QList<TskTabSheet*> FPages;
    TskTabSheet* FActivePage = nullptr;
    QStringList FPageNames;
};
