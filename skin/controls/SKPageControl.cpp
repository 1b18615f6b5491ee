#include "skin/controls/SKPageControl.h"

#include "framework/forms/Form.h"
#include "framework/layout/LayoutBindings.h"

#include <algorithm>

namespace {

[[maybe_unused]] const bool PageNamesRegistered = [] {
    RegisterNamesProperty(QStringLiteral("TskPageControl"), QStringLiteral("Pages"),
                          [](TComponent* component, const QStringList& names) {
                              qobject_cast<TskPageControl*>(component)->ReadPageNames(names);
                          });
    RegisterNamesProperty(QStringLiteral("TskTabSheet"), QStringLiteral("PageControl"),
                          [](TComponent* component, const QStringList& names) {
                              if (names.size() == 1) {
                                  qobject_cast<TskTabSheet*>(component)->ReadPageControl(
                                      names.first());
                              }
                          });
    return true;
}();

int IndexOfName(const QStringList& names, const QString& name) {
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

// ---------------------------------------------------------------------------

TskTabSheet::TskTabSheet(TComponent* AOwner) : TCustomPanel(AOwner) {
    SetText(QStringLiteral(" "));
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetBorderWidth(0);
    SetAlign(alClient);
}

TskTabSheet::~TskTabSheet() {
    if (FPageControl != nullptr) {
        SetParent(nullptr);
    }
    Destroying();
}

void TskTabSheet::SetPageControl(TskPageControl* pageControl) {
    SetParent(pageControl);
}

void TskTabSheet::ReadPageControl(const QString& name) {
    TComponent* owner = Owner();
    auto* pageControl =
        owner != nullptr ? qobject_cast<TskPageControl*>(owner->FindComponent(name)) : nullptr;
    if (pageControl == nullptr) {
        return;
    }
    if (Parent() != pageControl) {
        SetParent(pageControl);
    }
    FPageControl = pageControl;
    if (pageControl->PageCount() == pageControl->FPageNames.size()) {
        pageControl->SortPagesByStoredNames();
    }
}

void TskTabSheet::SetPageIndex(int index) {
    if (FPageControl == nullptr || index < 0 || index >= FPageControl->PageCount()) {
        return;
    }
    FPageControl->FPages.move(FPageIndex, index);
    FPageControl->RenumberPages();
    FPageControl->RebuildTabs();
    FPageControl->ActivatePage(this);
}

void TskTabSheet::SetTabCaption(const QString& caption) {
    FCaption = caption;
    if (FPageControl != nullptr) {
        FPageControl->RebuildTabs();
    }
}

bool TskTabSheet::TabVisible() const {
    if (FPageControl != nullptr && FPageIndex >= 0 && FPageIndex < MaxStripTabs) {
        return FPageControl->TopPanel()->TabVisibleFlag(FPageIndex);
    }
    return FTabVisible;
}

void TskTabSheet::SetTabVisible(bool visible) {
    FTabVisible = visible;
    if (FPageControl != nullptr) {
        FPageControl->TabVisibilityChanged(this, visible);
    }
}

TNotifyEvent* TskTabSheet::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnShow")) {
        return &OnShow;
    }
    if (name == QLatin1String("OnHide")) {
        return &OnHide;
    }
    return TCustomPanel::NotifyEvent(name);
}

void TskTabSheet::DoShow() {
    if (OnShow) {
        OnShow(this);
    }
}

void TskTabSheet::DoHide() {
    if (OnHide) {
        OnHide(this);
    }
}

// ---------------------------------------------------------------------------

TskPageControl::TskPageControl(TComponent* AOwner)
    : TskTab(AOwner, [](TskTab* tabControl) {
          return new TskPageControlTopPanel(tabControl, tabControl);
      }) {
    TopPanel()->Tabs()->Clear();
}

TskPageControl::~TskPageControl() {
    Destroying();
    for (TskTabSheet* page : FPages) {
        page->FPageControl = nullptr;
    }
    FPages.clear();
    FActivePage = nullptr;
}

void TskPageControl::ReadPageNames(const QStringList& names) {
    FPageNames = names;
}

void TskPageControl::SortPagesByStoredNames() {
    for (TskTabSheet* page : FPages) {
        page->FPageIndex = IndexOfName(FPageNames, page->Name());
    }
    std::stable_sort(FPages.begin(), FPages.end(), [](const TskTabSheet* a, const TskTabSheet* b) {
        return a->FPageIndex < b->FPageIndex;
    });
    RenumberPages();
    RebuildTabs();
    // The strip follows its active page to the page's new place.
    if (FActivePage != nullptr) {
        SelectTab(FActivePage->PageIndex());
    }
}

void TskPageControl::RenumberPages() {
    for (int i = 0; i < FPages.size(); ++i) {
        FPages.at(i)->FPageIndex = i;
        // The flags belong to positions, so they follow the pages when pages move.
        TopPanel()->SetTabVisibleFlag(i, FPages.at(i)->FTabVisible);
    }
}

void TskPageControl::RebuildTabs() {
    TStrings* tabs = TopPanel()->Tabs();
    tabs->BeginUpdate();
    tabs->Clear();
    for (const TskTabSheet* page : FPages) {
        tabs->Add(page->TabCaption());
    }
    tabs->EndUpdate();
}

void TskPageControl::ControlListChange(TControl* control, bool inserting) {
    TskTab::ControlListChange(control, inserting);
    auto* sheet = qobject_cast<TskTabSheet*>(control);
    if (sheet == nullptr) {
        return;
    }
    if (inserting) {
        InsertPage(sheet);
    } else {
        RemovePage(sheet);
    }
}

void TskPageControl::InsertPage(TskTabSheet* sheet) {
    sheet->FPageControl = this;
    sheet->SetColor(Color());
    FPages.append(sheet);
    RenumberPages();
    RebuildTabs();
    ActivatePage(sheet);
}

void TskPageControl::RemovePage(TskTabSheet* sheet) {
    const int index = static_cast<int>(FPages.indexOf(sheet));
    if (index < 0) {
        return;
    }
    FPages.removeAt(index);
    sheet->FPageControl = nullptr;
    sheet->FPageIndex = -1;
    RenumberPages();
    RebuildTabs();
    ActivatePageIndex(index - 1);
}

void TskPageControl::DeactivateActivePage(int unlessIndex) {
    if (FActivePage != nullptr && FActivePage->PageIndex() != unlessIndex) {
        FActivePage->SetEnabled(false);
        FActivePage->DoHide();
    }
}

void TskPageControl::BringPageToFront(TskTabSheet* sheet) {
    sheet->SetVisible(true);
    sheet->SetEnabled(true);
    sheet->BringToFront();
    sheet->Invalidate();
}

void TskPageControl::FocusFirstControl(TskTabSheet* sheet) {
    if (sheet->ControlCount() == 0) {
        return;
    }
    // Controls without a window of their own (labels) come first in the child order.
    TControl* first = sheet->Controls(0);
    for (int i = 0; i < sheet->ControlCount(); ++i) {
        if (qobject_cast<TWinControl*>(sheet->Controls(i)) == nullptr) {
            first = sheet->Controls(i);
            break;
        }
    }
    auto* control = qobject_cast<TWinControl*>(first);
    TCustomForm* form = GetParentForm();
    if (control == nullptr || form == nullptr || !control->Visible() || !control->CanFocus()) {
        return;
    }
    try {
        form->SetActiveControl(control);
    } catch (...) {
        // Focus that cannot move stays where it is.
    }
}

void TskPageControl::TabActive(int index) {
    DeactivateActivePage(index);
    FActivePage = index >= 0 && index < PageCount() ? FPages.at(index) : nullptr;
    if (FActivePage != nullptr) {
        TskTabSheet* sheet = FActivePage;
        BringPageToFront(sheet);
        if (!IsLoading() && !ComponentState().testFlag(csDesigning)) {
            FocusFirstControl(sheet);
        }
        sheet->DoShow();
    }
    TskTab::TabActive(index);
}

void TskPageControl::ActivatePage(TskTabSheet* sheet) {
    if (sheet != nullptr && sheet->FPageControl != this) {
        return;
    }
    if (FActivePage != nullptr && FActivePage != sheet) {
        FActivePage->SetEnabled(false);
        FActivePage->DoHide();
    }
    FActivePage = sheet;
    if (sheet == nullptr) {
        return;
    }
    SelectTab(sheet->PageIndex());
    BringPageToFront(sheet);
    sheet->DoShow();
}

void TskPageControl::ActivatePageIndex(int index) {
    DeactivateActivePage(index);
    if (index < 0 || index > TopPanel()->Tabs()->Count() - 1 || index >= PageCount()) {
        ActivatePage(nullptr);
        return;
    }
    SelectTab(index);
    TskTabSheet* sheet = FPages.at(index);
    FActivePage = sheet;
    BringPageToFront(sheet);
    sheet->DoShow();
}

void TskPageControl::SelectPage(int index) {
    if (index >= 0 && index < PageCount()) {
        ActivatePageIndex(index);
    }
}

void TskPageControl::SelectTab(int index) {
    TskTab::SelectTab(index);
}

void TskPageControl::TabVisibilityChanged(TskTabSheet* sheet, bool visible) {
    const int index = sheet->PageIndex();
    TopPanel()->SetTabVisibleFlag(index, visible);
    if (visible || sheet != FActivePage) {
        return;
    }
    for (int i = index - 1; i >= 0; --i) {
        if (TopPanel()->TabVisibleFlag(i)) {
            ActivatePage(FPages.at(i));
            return;
        }
    }
    for (int i = index + 1; i < PageCount(); ++i) {
        if (TopPanel()->TabVisibleFlag(i)) {
            ActivatePage(FPages.at(i));
            return;
        }
    }
}

void TskPageControl::BorderColorChanged() {
    if (FActivePage != nullptr) {
        FActivePage->Invalidate();
    }
}

void TskPageControl::UpdateUIStyle(TskUIStyle style, TskFileTheme* theme) {
    for (TskTabSheet* page : FPages) {
        ApplyStyleToChildren(page, style, theme);
        page->SetColor(Color());
        page->SetAlign(alClient);
    }
}

void TskPageControl::ShowControl(TControl* control) {
    auto* sheet = qobject_cast<TskTabSheet*>(control);
    if (sheet != nullptr && sheet->FPageControl == this) {
        ActivatePage(sheet);
    }
    TskTab::ShowControl(control);
}

void TskPageControl::CMColorChanged(TMessage& message) {
    TskTab::CMColorChanged(message);
    for (TskTabSheet* page : FPages) {
        page->SetColor(Color());
    }
}

void TskPageControl::WndProc(TMessage& message) {
    TskTab::WndProc(message);
    if (message.Msg == CM_CURSORCHANGED && TopPanel() != nullptr) {
        TopPanel()->SetCursor(Cursor());
    }
}
