#include "framework/controls/Control.h"
#include "framework/controls/ControlPrivate.h"
#include "framework/controls/Menus.h"

#include <QCursor>
#include <QMouseEvent>

using namespace control_private;

namespace control_private {
TControl* gCaptureControl = nullptr;
std::optional<QPoint> gLastCursorPos;
} // namespace control_private

const TMouse* Mouse = [] {
    static const TMouse mouse;
    return &mouse;
}();

bool TControl::MouseCapture() const {
    return gCaptureControl == this;
}

void TControl::SetMouseCapture(bool capture) {
    if (capture == MouseCapture()) {
        return;
    }
    if (capture) {
        if (gCaptureControl != nullptr) {
            gCaptureControl->SetMouseCapture(false);
        }
        gCaptureControl = this;
        FHandle->grabMouse();
    } else {
        gCaptureControl = nullptr;
        FHandle->releaseMouse();
        Perform(WM_CAPTURECHANGED);
    }
}

void TControl::WMMouseMove(TMessage& message) {
    DefaultHandler(message);
    MouseMove(KeysToShiftState(message.WParam), LParamX(message.LParam), LParamY(message.LParam));
}

void TControl::WMButtonDown(TMessage& message, TMouseButton button, bool doubleClick) {
    if (button == mbLeft && FControlStyle.testFlag(csClickEvents)) {
        FClickPending = true;
    }
    DefaultHandler(message);
    TShiftState shift = KeysToShiftState(message.WParam);
    if (doubleClick && button == mbLeft && FControlStyle.testFlag(csDoubleClicks)) {
        DblClick();
        shift |= ssDouble;
    }
    MouseDown(button, shift, LParamX(message.LParam), LParamY(message.LParam));
}

void TControl::WMButtonUp(TMessage& message, TMouseButton button) {
    DefaultHandler(message);
    const int x = LParamX(message.LParam);
    const int y = LParamY(message.LParam);
    if (button == mbLeft && FClickPending) {
        FClickPending = false;
        if (PtInRect(ClientRect(), Point(x, y))) {
            Click();
        }
    }
    MouseUp(button, KeysToShiftState(message.WParam), x, y);
}

void TControl::CMMouseEnter(TMessage& message) {
    FMouseInClient = true;
    DefaultHandler(message);
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TControl::CMMouseLeave(TMessage& message) {
    FMouseInClient = false;
    DefaultHandler(message);
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TControl::Click() {
    if (OnClick) {
        OnClick(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) {
        OnDblClick(this);
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) {
        OnMouseDown(this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) {
        OnMouseMove(this, shift, x, y);
    }
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) {
        OnMouseUp(this, button, shift, x, y);
    }
}

TPoint TMouse::CursorPos() const {
    // QCursor::pos() lags behind (or ignores) synthesised and offscreen events.
    return TPoint::FromQPoint(gLastCursorPos.value_or(QCursor::pos()));
}

void TMouse::SetCursorPos(const TPoint& point) const {
    gLastCursorPos = point.ToQPoint();
    QCursor::setPos(point.ToQPoint());
}

TControl* TMouse::Capture() const {
    return gCaptureControl;
}

TPoint GetCursorPos() {
    return Mouse->CursorPos();
}

TControl* GetCaptureControl() {
    return gCaptureControl;
}

TControl* FindControl(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (QObject* control = w->property(ControlProperty).value<QObject*>()) {
            return qobject_cast<TControl*>(control);
        }
    }
    return nullptr;
}

bool TControl::TranslateHeldMouseCrossing(QPoint point) {
    // Qt reports crossings only after the button is released; the control hears them
    // at the first move across the edge of its client area, as without a held button.
    const bool inside = PtInRect(ClientRect(), Point(point.x(), point.y()));
    if (inside == FMouseInClient) {
        return false;
    }
    TMessage message;
    message.Msg = inside ? CM_MOUSEENTER : CM_MOUSELEAVE;
    message.LParam = reinterpret_cast<intptr_t>(this);
    Dispatch(message);
    return true;
}

void TControl::ReleaseMouseHold() {
    if (MouseCapture()) {
        SetMouseCapture(false);
    } else if (FClickPending) {
        FClickPending = false;
        Perform(WM_CAPTURECHANGED);
    }
}

void TControl::WMContextMenu(TMessage& message) {
    if (OnContextPopup) {
        bool handled = false;
        OnContextPopup(
            this, ScreenToClient(Point(LParamX(message.LParam), LParamY(message.LParam))), handled);
        if (handled) {
            message.Result = 1;
            return;
        }
    }
    auto* menu = qobject_cast<TPopupMenu*>(FPopupMenu.Get());
    if (menu == nullptr) {
        DefaultHandler(message);
        return;
    }
    menu->Popup(LParamX(message.LParam), LParamY(message.LParam));
    message.Result = 1;
}

void TControl::WMCaptureChanged(TMessage& message) {
    FClickPending = false;
    DefaultHandler(message);
}
