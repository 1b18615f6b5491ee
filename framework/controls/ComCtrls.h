#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/ListView.h"
#include "framework/controls/Panel.h"
#include "framework/core/Strings.h"

#include <QTabBar>
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
