#include "framework/controls/Control.h"
#include "framework/controls/ControlPrivate.h"
#include "framework/core/Application.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>

using namespace control_private;

namespace {

// Keeps the bridge of the event being translated, so DefaultHandler reaches the
// widget that received it (a form has two widgets), and nested events restore it.
class TEventScope {
public:
    TEventScope(IControlWidget*& slot, IControlWidget* bridge) : FSlot(slot), FSaved(slot) {
        FSlot = bridge;
    }
    ~TEventScope() { FSlot = FSaved; }
    TEventScope(const TEventScope&) = delete;
    TEventScope& operator=(const TEventScope&) = delete;

private:
    IControlWidget*& FSlot;
    IControlWidget* FSaved;
};

} // namespace

namespace control_private {
IControlWidget* gEventBridge = nullptr;
} // namespace control_private

bool TControl::WidgetEvent(QWidget* widget, QEvent* event) {
    auto* bridge = dynamic_cast<IControlWidget*>(widget);
    if (IsDestroying() || bridge == nullptr) {
        return bridge != nullptr && bridge->DefaultEvent(event);
    }
    try {
        TEventScope scope(gEventBridge, bridge);
        bool handled = false;
        if (TranslateEvent(widget, event, handled)) {
            return handled;
        }
        return bridge->DefaultEvent(event);
    } catch (...) {
        TApplication::HandleCurrentException(this);
        return true;
    }
}

QPoint TControl::ClientPointOf(const QWidget* widget, QPoint point) const {
    // The window widget has the frame around the client area; a client widget of its
    // own starts at the client's (0, 0).
    if (widget == FHandle) {
        const TRect client = ClientAreaInWindow();
        point -= QPoint(client.Left, client.Top);
    }
    return point;
}

TMessage TControl::MouseMessage(uint32_t msg, const QWidget* widget, QMouseEvent* event) const {
    TMessage message;
    message.Msg = msg;
    intptr_t keys = 0;
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons & Qt::LeftButton) {
        keys |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        keys |= MK_RBUTTON;
    }
    if (buttons & Qt::MiddleButton) {
        keys |= MK_MBUTTON;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        keys |= MK_SHIFT;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        keys |= MK_CONTROL;
    }
    message.WParam = keys;
    const QPoint position = ClientPointOf(widget, event->position().toPoint());
    message.LParam = MakeLParam(position.x(), position.y());
    message.Event = event;
    return message;
}

bool TControl::TranslateEvent(QWidget* widget, QEvent* event, bool& handled) {
    handled = true;
    switch (event->type()) {
    case QEvent::Paint:
        SendPaintMessages(widget, event);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        gLastCursorPos = mouse->globalPosition().toPoint();
        const bool press = event->type() == QEvent::MouseButtonPress;
        if ((event->type() == QEvent::MouseMove || press) && mouse->buttons() != Qt::NoButton) {
            TranslateHeldMouseCrossing(ClientPointOf(widget, mouse->position().toPoint()));
        }
        const bool dbl = event->type() == QEvent::MouseButtonDblClick;
        uint32_t msg = WM_MOUSEMOVE;
        if (event->type() != QEvent::MouseMove) {
            switch (mouse->button()) {
            case Qt::LeftButton:
                msg = press ? WM_LBUTTONDOWN : (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONUP);
                break;
            case Qt::RightButton:
                msg = press ? WM_RBUTTONDOWN : (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONUP);
                break;
            case Qt::MiddleButton:
                msg = press ? WM_MBUTTONDOWN : (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONUP);
                break;
            default:
                return false;
            }
        }
        TMessage message = MouseMessage(msg, widget, mouse);
        Dispatch(message);
        // The framework, not Qt's propagation, decides who sees a mouse message.
        event->accept();
        return true;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        TMessage message;
        message.Msg = WM_MOUSEWHEEL;
        message.WParam = static_cast<intptr_t>(wheel->angleDelta().y()) << 16;
        const QPoint global = wheel->globalPosition().toPoint();
        message.LParam = MakeLParam(global.x(), global.y());
        message.Event = event;
        Dispatch(message);
        return true;
    }
    case QEvent::Enter:
    case QEvent::Leave: {
        // With a client widget of its own, entering and leaving the control is entering
        // and leaving its client area: the frame around it does not count.
        if (widget == FHandle && ClientWidget() != FHandle) {
            return false;
        }
        // A crossing already reported while a button was held arrives late from Qt.
        if ((event->type() == QEvent::Enter) == FMouseInClient) {
            return true;
        }
        TMessage message;
        message.Msg = event->type() == QEvent::Enter ? CM_MOUSEENTER : CM_MOUSELEAVE;
        message.LParam = reinterpret_cast<intptr_t>(this);
        message.Event = event;
        Dispatch(message);
        return true;
    }
    case QEvent::Resize: {
        // A client widget only follows the window.
        if (widget != FHandle) {
            return false;
        }
        handled = gEventBridge->DefaultEvent(event);
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        TMessage message;
        message.Msg = WM_SIZE;
        message.WParam = SIZE_RESTORED;
        message.LParam = MakeLParam(size.width(), size.height());
        Dispatch(message);
        return true;
    }
    case QEvent::Move: {
        if (widget != FHandle) {
            return false;
        }
        handled = gEventBridge->DefaultEvent(event);
        const QPoint position = static_cast<QMoveEvent*>(event)->pos();
        TMessage message;
        message.Msg = WM_MOVE;
        message.LParam = MakeLParam(position.x(), position.y());
        Dispatch(message);
        return true;
    }
    case QEvent::WindowDeactivate:
        ReleaseMouseHold();
        return false;
    case QEvent::ContextMenu: {
        const QPoint global = static_cast<QContextMenuEvent*>(event)->globalPos();
        TMessage message;
        message.Msg = WM_CONTEXTMENU;
        message.LParam = MakeLParam(global.x(), global.y());
        message.Event = event;
        Dispatch(message);
        return true;
    }
    case QEvent::Show:
    case QEvent::Hide: {
        if (event->type() == QEvent::Hide) {
            ReleaseMouseHold();
        }
        TMessage message;
        message.Msg = WM_SHOWWINDOW;
        message.WParam = event->type() == QEvent::Show ? 1 : 0;
        message.Event = event;
        Dispatch(message);
        return true;
    }
    default:
        return false;
    }
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        break;
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        break;
    case WM_SIZE:
        WMSize(message);
        break;
    case WM_MOVE:
        WMMove(message);
        break;
    case WM_MOUSEMOVE:
        WMMouseMove(message);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        WMButtonDown(message, mbLeft, message.Msg == WM_LBUTTONDBLCLK);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        WMButtonDown(message, mbRight, message.Msg == WM_RBUTTONDBLCLK);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        WMButtonDown(message, mbMiddle, message.Msg == WM_MBUTTONDBLCLK);
        break;
    case WM_LBUTTONUP:
        WMButtonUp(message, mbLeft);
        break;
    case WM_RBUTTONUP:
        WMButtonUp(message, mbRight);
        break;
    case WM_MBUTTONUP:
        WMButtonUp(message, mbMiddle);
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(message);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(message);
        break;
    case CM_VISIBLECHANGED:
        CMVisibleChanged(message);
        break;
    case CM_COLORCHANGED:
        CMColorChanged(message);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(message);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        break;
    case CM_PARENTCOLORCHANGED:
        CMParentColorChanged(message);
        break;
    case CM_PARENTFONTCHANGED:
        CMParentFontChanged(message);
        break;
    case CM_BIDIMODECHANGED:
        CMBiDiModeChanged(message);
        break;
    case CM_PARENTBIDIMODECHANGED:
        CMParentBiDiModeChanged(message);
        break;
    case WM_CONTEXTMENU:
        WMContextMenu(message);
        break;
    case WM_CAPTURECHANGED:
        WMCaptureChanged(message);
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& message) {
    if (message.Event != nullptr && gEventBridge != nullptr) {
        gEventBridge->DefaultEvent(message.Event);
    }
}

void TControl::WMSize(TMessage& message) {
    DefaultHandler(message);
    Resize();
}

void TControl::WMMove(TMessage& message) {
    DefaultHandler(message);
}

TShiftState TControl::ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    shift.setFlag(ssShift, modifiers.testFlag(Qt::ShiftModifier));
    shift.setFlag(ssAlt, modifiers.testFlag(Qt::AltModifier));
    shift.setFlag(ssCtrl, modifiers.testFlag(Qt::ControlModifier));
    shift.setFlag(ssLeft, buttons.testFlag(Qt::LeftButton));
    shift.setFlag(ssRight, buttons.testFlag(Qt::RightButton));
    shift.setFlag(ssMiddle, buttons.testFlag(Qt::MiddleButton));
    return shift;
}

TShiftState TControl::KeysToShiftState(intptr_t keys) {
    TShiftState shift;
    shift.setFlag(ssShift, (keys & MK_SHIFT) != 0);
    shift.setFlag(ssCtrl, (keys & MK_CONTROL) != 0);
    shift.setFlag(ssLeft, (keys & MK_LBUTTON) != 0);
    shift.setFlag(ssRight, (keys & MK_RBUTTON) != 0);
    shift.setFlag(ssMiddle, (keys & MK_MBUTTON) != 0);
    shift.setFlag(ssAlt, QApplication::keyboardModifiers().testFlag(Qt::AltModifier));
    return shift;
}

int TControl::VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return VK_F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return qtKey & 0xFFFF;
    }
}

Qt::CursorShape TControl::CursorShapeOf(TCursor cursor) {
    switch (cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    case crDefault:
    case crArrow:
        break;
    }
    return Qt::ArrowCursor;
}
