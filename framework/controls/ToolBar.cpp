#include "framework/controls/ToolBar.h"

#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/Bitmap.h"

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
    if (FMenuItem != nullptr) {
        FMenuItem->RemoveFreeNotification(this);
    }
    FMenuItem = item;
    if (item != nullptr) {
        item->FreeNotification(this);
        SetCaption(item->Caption());
    }
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FMenuItem) {
        FMenuItem = nullptr;
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

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
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

void TToolButton::Paint() {
    TCanvas& canvas = *Canvas();
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
    if (FImages != nullptr) {
        FImages->RemoveFreeNotification(this);
    }
    FImages = images;
    if (images != nullptr) {
        images->FreeNotification(this);
    }
    Invalidate();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
    }
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
    for (int i = 0; i < ControlCount(); ++i) {
        auto* button = qobject_cast<TToolButton*>(Controls(i));
        if (button == nullptr || !button->Visible()) {
            continue;
        }
        const int width = ButtonExtent(button);
        button->SetBounds(x, rect.Top, width, FButtonHeight);
        x += width;
    }
    if (FAutoSize && Height() != FButtonHeight + rect.Top * 2) {
        SetHeight(FButtonHeight + rect.Top * 2);
    }
    TCustomControl::AlignControls(control, rect);
}
