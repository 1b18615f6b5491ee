#include "framework/controls/ComCtrls.h"

#include "framework/core/Application.h"

#include <algorithm>

namespace {

// Frame width around the pages and the gap between tabs and pages.
constexpr int PageFrame = 4;

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
