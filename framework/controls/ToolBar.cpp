#include "framework/controls/ToolBar.h"

#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/Bitmap.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace {

// Space a separator takes and the padding around a caption.
constexpr int SeparatorWidth = 8;
constexpr int CaptionPadding = 7;

} // namespace

TToolButton::TToolButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const {
    return qobject_cast<TToolBar*>(Parent());
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    FStyle = style;
    if (Parent() != nullptr) {
        Parent()->Realign();
    }
    Invalidate();
}

void TToolButton::SetDown(bool down) {
    if (down == FDown) {
        return;
    }
    FDown = down;
    if (down && FGrouped && ToolBar() != nullptr) {
        TToolBar* bar = ToolBar();
        for (int i = 0; i < bar->ButtonCount(); ++i) {
            TToolButton* other = bar->Buttons(i);
            if (other != this && other->FGrouped && other->FStyle == tbsCheck) {
                other->FDown = false;
                other->Invalidate();
            }
        }
    }
    Invalidate();
}

void TToolButton::SetImageIndex(int value) {
    FImageIndex = value;
    Invalidate();
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    FMenuItem.Set(item);
    if (item != nullptr) {
        SetCaption(item->Caption());
    }
}

void TToolButton::Click() {
    if (FStyle == tbsCheck) {
        SetDown(!FDown || FGrouped);
    }
    TCustomControl::Click();
    if (FMenuItem != nullptr && FMenuItem->Count() == 0) {
        FMenuItem->Click();
    }
}

bool TToolButton::Dropped() const {
    const TToolBar* bar = ToolBar();
    return bar != nullptr && bar->TrackedButton() == this && bar->TrackedMenu() != nullptr;
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FMenuItem != nullptr && FMenuItem->Count() > 0 &&
        ToolBar() != nullptr) {
        TCustomControl::MouseDown(button, shift, x, y);
        ToolBar()->TrackMenu(this);
        return;
    }
    if (button == mbLeft && FStyle != tbsSeparator && FStyle != tbsDivider) {
        FPressed = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (FPressed) {
        FPressed = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TToolButton::CMMouseEnter(TMessage& message) {
    TCustomControl::CMMouseEnter(message);
    Invalidate();
}

void TToolButton::CMMouseLeave(TMessage& message) {
    TCustomControl::CMMouseLeave(message);
    Invalidate();
}

void TToolButton::LeaveUnlessPointerInside() {
    if (!MouseInClient()) {
        return;
    }
    const TPoint pointer = ScreenToClient(TPoint::FromQPoint(QCursor::pos()));
    if (!PtInRect(ClientRect(), pointer)) {
        Perform(CM_MOUSELEAVE, 0, reinterpret_cast<intptr_t>(this));
    }
}

void TToolButton::Paint() {
    TCanvas& canvas = *Canvas();
    if (TToolBar* bar = ToolBar(); bar != nullptr && bar->DrawButtonCustom(this, canvas)) {
        return;
    }
    TRect rect = ClientRect();
    if (FStyle == tbsSeparator || FStyle == tbsDivider) {
        if (FStyle == tbsDivider) {
            TRect line = Rect(rect.Width() / 2 - 1, rect.Top, rect.Width() / 2 + 1, rect.Bottom);
            Frame3D(canvas, line, clBtnShadow, clBtnHighlight, 1);
        }
        return;
    }
    const bool sunken = FPressed || FDown;
    const TToolBar* bar = ToolBar();
    if (sunken) {
        Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
    } else if (Hot() || (bar != nullptr && !bar->Flat())) {
        Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
    }
    if (Caption().isEmpty()) {
        return;
    }
    canvas.Brush()->SetStyle(TBrush::bsClear);
    canvas.SetFont(Font());
    if (!Enabled()) {
        canvas.Font()->SetColor(clGrayText);
    }
    TRect textRect = ClientRect();
    if (sunken) {
        OffsetRect(textRect, 1, 1);
    }
    canvas.DrawText(Caption(), textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    Destroying();
    CloseMenu();
}

void TToolBar::SetWrapable(bool value) {
    FWrapable = value;
    Realign();
}

void TToolBar::Paint() {
    if (!OnCustomDraw) {
        return;
    }
    bool defaultDraw = true;
    FCustomDrawCanvas = Canvas();
    OnCustomDraw(this, ClientRect(), defaultDraw);
    FCustomDrawCanvas = nullptr;
}

bool TToolBar::DrawButtonCustom(TToolButton* button, TCanvas& canvas) {
    if (!OnCustomDrawButton) {
        return false;
    }
    button->PaintParentBackground(canvas);
    TCustomDrawState state;
    state.setFlag(cdsHot, button->Hot());
    state.setFlag(cdsSelected, button->Pressed() || button->Down() || button->Dropped());
    state.setFlag(cdsDisabled, !button->Enabled());
    state.setFlag(cdsGrayed, !button->Enabled());
    bool defaultDraw = true;
    const int level = canvas.SaveState();
    canvas.MoveOrigin(-button->Left(), -button->Top());
    FCustomDrawCanvas = &canvas;
    OnCustomDrawButton(this, button, state, defaultDraw);
    FCustomDrawCanvas = nullptr;
    canvas.RestoreState(level);
    return !defaultDraw;
}

TToolButton* TToolBar::NeighbourWithMenu(TToolButton* from, int step) const {
    const int count = ButtonCount();
    int index = 0;
    while (index < count && Buttons(index) != from) {
        ++index;
    }
    for (int i = 1; i <= count; ++i) {
        TToolButton* button = Buttons(((index + step * i) % count + count) % count);
        if (button->Visible() && button->Enabled() && button->MenuItem() != nullptr &&
            button->MenuItem()->Count() > 0) {
            return button;
        }
    }
    return nullptr;
}

void TToolBar::CloseMenu() {
    if (QMenu* menu = FTrackedMenu) {
        FTrackedMenu = nullptr;
        menu->removeEventFilter(this);
        menu->close();
    }
    if (TToolButton* button = FTracked) {
        FTracked = nullptr;
        button->LeaveUnlessPointerInside();
        button->Invalidate();
    }
}

void TToolBar::TrackMenu(TToolButton* button) {
    CloseMenu();
    TMenuItem* item = button != nullptr ? button->MenuItem() : nullptr;
    TMenu* owner = item != nullptr ? item->GetParentMenu() : nullptr;
    if (owner == nullptr || item->Count() == 0) {
        return;
    }
    QMenu* menu = owner->BuildQMenu(item, Handle());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->installEventFilter(this);
    FTracked = button;
    FTrackedMenu = menu;
    QPointer<TToolBar> bar(this);
    QObject::connect(menu, &QMenu::aboutToHide, this, [bar, menu] {
        if (bar && bar->FTrackedMenu == menu) {
            bar->FTrackedMenu = nullptr;
            if (TToolButton* tracked = bar->FTracked) {
                bar->FTracked = nullptr;
                tracked->LeaveUnlessPointerInside();
                tracked->Invalidate();
            }
        }
    });
    button->Invalidate();
    const TPoint below = button->ClientToScreen(Point(0, button->Height()));
    menu->popup(below.ToQPoint());
}

bool TToolBar::TrackAccelerator(QChar ch) {
    for (int i = 0; i < ButtonCount(); ++i) {
        TToolButton* button = Buttons(i);
        if (button->Visible() && button->Enabled() && button->MenuItem() != nullptr &&
            button->MenuItem()->Count() > 0 && IsAccel(ch, button->Caption())) {
            TrackMenu(button);
            return true;
        }
    }
    return false;
}

bool TToolBar::EnterMenuMode() {
    for (int i = 0; i < ButtonCount(); ++i) {
        TToolButton* button = Buttons(i);
        if (button->Visible() && button->Enabled() && button->MenuItem() != nullptr &&
            button->MenuItem()->Count() > 0) {
            TrackMenu(button);
            return true;
        }
    }
    return false;
}

bool TToolBar::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr || menu != FTrackedMenu || FTracked.isNull()) {
        return TCustomControl::eventFilter(watched, event);
    }
    TToolButton* next = nullptr;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QAction* active = menu->activeAction();
        const bool submenuOpen =
            active != nullptr && active->menu() != nullptr && active->menu()->isVisible();
        if ((key == Qt::Key_Left || key == Qt::Key_Right) && !submenuOpen) {
            next = NeighbourWithMenu(FTracked, key == Qt::Key_Right ? 1 : -1);
        }
    } else if (event->type() == QEvent::MouseMove) {
        const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        for (int i = 0; i < ButtonCount(); ++i) {
            TToolButton* button = Buttons(i);
            const QRect onScreen(button->ClientToScreen(Point(0, 0)).ToQPoint(),
                                 QSize(button->Width(), button->Height()));
            if (button != FTracked && button->Visible() && onScreen.contains(global) &&
                button->MenuItem() != nullptr && button->MenuItem()->Count() > 0) {
                next = button;
                break;
            }
        }
    }
    if (next == nullptr || next == FTracked) {
        return false;
    }
    QPointer<TToolButton> target(next);
    QPointer<TToolBar> bar(this);
    // Switch once the event has left the menu that closes.
    QTimer::singleShot(0, this, [bar, target] {
        if (bar && target) {
            bar->TrackMenu(target);
        }
    });
    return true;
}

int TToolBar::ButtonCount() const {
    int count = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        count += qobject_cast<TToolButton*>(Controls(i)) != nullptr ? 1 : 0;
    }
    return count;
}

TToolButton* TToolBar::Buttons(int index) const {
    for (int i = 0; i < ControlCount(); ++i) {
        if (auto* button = qobject_cast<TToolButton*>(Controls(i)); button && index-- == 0) {
            return button;
        }
    }
    return nullptr;
}

void TToolBar::SetButtonWidth(int value) {
    FButtonWidth = std::max(0, value);
    Realign();
}

void TToolBar::SetButtonHeight(int value) {
    FButtonHeight = std::max(0, value);
    Realign();
}

void TToolBar::SetShowCaptions(bool value) {
    FShowCaptions = value;
    Realign();
}

void TToolBar::SetFlat(bool value) {
    FFlat = value;
    Invalidate();
}

void TToolBar::SetAutoSize(bool value) {
    FAutoSize = value;
    Realign();
}

void TToolBar::SetImages(TComponent* images) {
    FImages.Set(images);
    Invalidate();
}

int TToolBar::ButtonExtent(const TToolButton* button) const {
    if (button->Style() == TToolButton::tbsSeparator ||
        button->Style() == TToolButton::tbsDivider) {
        return SeparatorWidth;
    }
    if (!FShowCaptions) {
        return FButtonWidth;
    }
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(button->Font());
    return std::max(FButtonWidth,
                    measure.Canvas()->TextWidth(button->Caption()) + 2 * CaptionPadding);
}

void TToolBar::ControlListChange(TControl* control, bool inserting) {
    TCustomControl::ControlListChange(control, inserting);
    if (inserting && qobject_cast<TToolButton*>(control) != nullptr) {
        Realign();
    }
}

void TToolBar::AlignControls(TControl* control, TRect& rect) {
    int x = rect.Left;
    int rows = 1;
    for (int i = 0; i < ControlCount(); ++i) {
        auto* button = qobject_cast<TToolButton*>(Controls(i));
        if (button == nullptr || !button->Visible()) {
            continue;
        }
        const int width = ButtonExtent(button);
        if (FWrapable && x > rect.Left && x + width > rect.Right) {
            x = rect.Left;
            ++rows;
        }
        button->SetBounds(x, rect.Top + (rows - 1) * FButtonHeight, width, FButtonHeight);
        x += width;
    }
    const int height = rows * FButtonHeight + rect.Top * 2;
    if (FAutoSize && Height() != height) {
        SetHeight(height);
    }
    TCustomControl::AlignControls(control, rect);
}
