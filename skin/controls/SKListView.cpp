#include "skin/controls/SKListView.h"

#include "framework/controls/ListViewRows.h"
#include "framework/controls/ScrollBarColors.h"
#include "skin/core/SKDraw.h"
#include "skin/core/SKPictureCache.h"

#include <QScopedValueRollback>
#include <QScrollBar>

TskListView::TskListView(TComponent* AOwner) : TCustomListView(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBorderStyle(TCustomPanel::bsNone);
    SetBorderWidth(SkinControlBorderWidth);
    SetUIStyle(GetFormUIStyle(AOwner));
}

TskListView::~TskListView() {
    // The bars outlive the list; they must not call back into it.
    for (TskScrollBar* bar : {VScrollBar(), HScrollBar()}) {
        if (bar != nullptr) {
            bar->OnChange = nullptr;
        }
    }
}

void TskListView::SetFileTheme(TskFileTheme* theme) {
    FFileTheme.Set(theme);
    SetUIStyle(FUIStyle);
}

void TskListView::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    FBorderColor = ThemeColor(FileTheme(), style, ControlBorderColor);
    ApplyStyleToBars();
    ApplyStyleToOwnBars();
    Invalidate();
}

void TskListView::ApplyStyleToOwnBars() {
    TColor groove =
        static_cast<TColor>(ThemeColor(FileTheme(), FUIStyle, ScrollBarBackgroundColor));
    if (groove == -1) {
        groove = static_cast<TColor>(GetBuiltinThemeColor(DeepBlue, ScrollBarBackgroundColor));
    }
    const TColor thumb = ContrastingThumbColor(groove);
    SetScrollBarColors(Rows()->verticalScrollBar(), groove, thumb);
    SetScrollBarColors(Rows()->horizontalScrollBar(), groove, thumb);
}

void TskListView::ApplyStyleToBars() {
    TskUIStyle effective = FUIStyle;
    UsingFileTheme(FileTheme(), FUIStyle, effective);
    for (TskScrollBar* bar : {VScrollBar(), HScrollBar()}) {
        if (bar != nullptr) {
            bar->SetFileTheme(FileTheme());
            bar->SetUIStyle(effective);
        }
    }
}

void TskListView::SetBorderColor(TColor color) {
    FBorderColor = color;
    Invalidate();
}

void TskListView::SetVScrollBar(TskScrollBar* bar) {
    LinkBar(FVScrollBar, bar, true);
}

void TskListView::SetHScrollBar(TskScrollBar* bar) {
    LinkBar(FHScrollBar, bar, false);
}

void TskListView::ReleaseBar(TskScrollBar* bar) {
    if (bar == nullptr) {
        return;
    }
    bar->OnChange = nullptr;
    bar->SetLineButton(0);
    bar->SetMax(100);
    bar->SetEnabled(true);
}

void TskListView::BarUnlinked(TskScrollBar* survivor, bool vertical) {
    QScrollBar* own = vertical ? Rows()->verticalScrollBar() : Rows()->horizontalScrollBar();
    own->setUpdatesEnabled(true);
    own->update();
    ReleaseBar(survivor);
}

void TskListView::LinkBar(TComponentReference<TskScrollBar>& field, TskScrollBar* bar,
                          bool vertical) {
    if (field.Get() == bar) {
        return;
    }
    if (TskScrollBar* previous = field.Get()) {
        BarUnlinked(previous, vertical);
    }
    field.Set(bar);
    if (bar == nullptr) {
        return;
    }
    bar->SetSmallChange(5);
    bar->SetOrientation(vertical ? skVertical : skHorizontal);
    if (vertical) {
        bar->OnChange = [this](TObject*) { VerticalBarChanged(); };
    } else {
        bar->OnChange = [this](TObject*) { HorizontalBarChanged(); };
    }
    bar->BringToFront();
    PlaceScrollBars();
}

bool TskListView::MirroredLayout() const {
    return BiDiMode() == bdRightToLeft || BiDiMode() == TControl::bdRightToLeftNoAlign ||
           SysLocaleMiddleEast();
}

void TskListView::PlaceScrollBars() {
    if (IsLoading()) {
        return;
    }
    TskScrollBar* vertical = VScrollBar();
    TskScrollBar* horizontal = HScrollBar();
    const bool verticalShown = vertical != nullptr && vertical->Visible();
    if (horizontal != nullptr) {
        if (horizontal->Height() > Height()) {
            horizontal->SetTop(Top());
        } else {
            const int left =
                MirroredLayout() && verticalShown ? Left() + vertical->Width() + 1 : Left() + 1;
            const int width = Width() - 2 - (verticalShown ? vertical->Width() : 0);
            horizontal->SetBounds(left, Top() + Height() - horizontal->Height() - 2, width,
                                  horizontal->Height());
        }
    }
    if (vertical != nullptr) {
        if (vertical->Width() > Width()) {
            vertical->SetLeft(Left());
        } else {
            const bool horizontalShown = horizontal != nullptr && horizontal->Visible();
            const int left =
                MirroredLayout() ? Left() + 2 : Left() + Width() - vertical->Width() - 2;
            const int height = Height() - 2 - (horizontalShown ? horizontal->Height() : 0);
            vertical->SetBounds(left, Top() + 1, vertical->Width(), height);
        }
    }
    SynchronizeScrollBars();
}

void TskListView::SynchronizeScrollBars() {
    if (IsLoading()) {
        return;
    }
    const QScopedValueRollback<bool> syncing(FSyncing, true);
    if (VScrollBar() != nullptr) {
        SynchronizeBar(VScrollBar(), OBJID_VSCROLL);
    }
    if (HScrollBar() != nullptr) {
        SynchronizeBar(HScrollBar(), OBJID_HSCROLL);
    }
}

void TskListView::SynchronizeBar(TskScrollBar* bar, int objectId) {
    QScrollBar* own =
        objectId == OBJID_VSCROLL ? Rows()->verticalScrollBar() : Rows()->horizontalScrollBar();
    TScrollBarState state;
    const bool known = SafeGetScrollBarInfo(this, objectId, state) != 0;
    if (!known || !state.Shown || !state.Usable) {
        bar->SetLineButton(0);
        bar->SetEnabled(false);
        bar->SetVisible(false);
    } else if (Enabled()) {
        bar->SetLineButton(state.ThumbLength);
        bar->SetEnabled(true);
        bar->SetVisible(true);
    } else {
        bar->SetEnabled(false);
    }
    // While the painted bar covers the list's own, the own one need not paint; else it
    // would repaint (and the painted bar over it) at every range change, once per row.
    if (own->updatesEnabled() == bar->Visible()) {
        own->setUpdatesEnabled(!bar->Visible());
    }
    bar->SetMax(state.Max - state.Page + 1);
    bar->SetMin(state.Min);
    bar->SetPosition(state.Position);
}

void TskListView::VerticalBarChanged() {
    if (FSyncing || VScrollBar() == nullptr) {
        return;
    }
    // One scroll by the whole change: the same rows as that many line requests, and
    // a drag across a long list stays one message.
    Scroll(0, VScrollBar()->LastChange());
    Invalidate();
}

void TskListView::HorizontalBarChanged() {
    if (FSyncing || HScrollBar() == nullptr) {
        return;
    }
    Scroll(HScrollBar()->LastChange(), 0);
}

void TskListView::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        PlaceScrollBars();
        TCustomListView::WndProc(message);
        PlaceScrollBars();
        return;
    case WM_LBUTTONDOWN:
        FLeftButtonDown = true;
        break;
    default:
        break;
    }
    TCustomListView::WndProc(message);
    switch (message.Msg) {
    case WM_NCPAINT:
        // The frame-paint message follows the list's own painting, so the border lies
        // over it.
        if (message.WParam != 0) {
            DrawControlBorder(reinterpret_cast<TCanvas*>(message.WParam), this, FBorderColor,
                              Color(), true);
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case LVM_DELETEITEM:
    case WM_LBUTTONDOWN:
    case CM_ENABLEDCHANGED:
        SynchronizeScrollBars();
        break;
    case WM_MOUSEMOVE:
        if (FLeftButtonDown) {
            SynchronizeScrollBars();
        }
        break;
    case WM_LBUTTONUP:
        FLeftButtonDown = false;
        break;
    case WM_MOVE:
        PlaceScrollBars();
        break;
    case WM_SETREDRAW:
        if (message.WParam != 0 && Items()->Count() == 0) {
            Items()->SortByCaption();
        }
        break;
    case CM_VISIBLECHANGED:
        if (Visible()) {
            PlaceScrollBars();
        } else {
            for (TskScrollBar* bar : {VScrollBar(), HScrollBar()}) {
                if (bar != nullptr) {
                    bar->SetVisible(false);
                }
            }
        }
        break;
    default:
        break;
    }
}

void TskListView::Loaded() {
    TCustomListView::Loaded();
    PlaceScrollBars();
}
