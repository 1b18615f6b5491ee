#include "framework/controls/Control.h"
#include "framework/controls/ControlPrivate.h"
#include "framework/forms/Form.h"

#include <QFocusEvent>
#include <QKeyEvent>

using namespace control_private;

TWinControl::~TWinControl() {
    Destroying();
    // The client widget's bridge goes before the children, so no event reaches a
    // half-destroyed control.
    if (auto* bridge = dynamic_cast<IControlWidget*>(FClientWidget)) {
        bridge->Detach();
    }
    // A parent frees its children; each removes itself from FControls on the way.
    while (!FControls.isEmpty()) {
        delete FControls.last();
    }
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (c == this) {
            return true;
        }
    }
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    if (control->FParent != nullptr) {
        control->FParent->RemoveControl(control);
    }
    control->FParent = this;
    FControls.append(control);
    if (auto* win = qobject_cast<TWinControl*>(control)) {
        FTabList.append(win);
    }
    QWidget* widget = control->Handle();
    widget->setParent(ClientWidget());
    widget->setGeometry(control->FLeft, control->FTop, control->FWidth, control->FHeight);
    control->UpdateWidgetVisibility();
    control->Perform(CM_PARENTCHANGED, 0, reinterpret_cast<intptr_t>(this));
    if (!control->IsLoading()) {
        if (control->FParentColor) {
            control->Perform(CM_PARENTCOLORCHANGED);
        }
        if (control->FParentFont) {
            control->Perform(CM_PARENTFONTCHANGED);
        }
        if (control->FParentBiDiMode) {
            control->Perform(CM_PARENTBIDIMODECHANGED);
        }
    }
    if (control->FAlign != alNone) {
        Realign();
    }
    ControlListChange(control, true);
}

void TWinControl::ControlListChange(TControl*, bool) {}

void TWinControl::RemoveControl(TControl* control) {
    if (control->FParent != this) {
        return;
    }
    if (!IsDestroying()) {
        ControlListChange(control, false);
    }
    TCustomForm* form = IsDestroying() ? nullptr : GetParentForm();
    if (form != nullptr && !form->IsDestroying()) {
        form->ControlRemoved(control);
    }
    FControls.removeAll(control);
    // Compared by address: a control leaving from its destructor is no longer of
    // its derived class.
    FTabList.removeIf([control](TWinControl* entry) { return entry == control; });
    control->FParent = nullptr;
    if (!control->IsDestroying()) {
        control->Handle()->setParent(nullptr);
        control->UpdateWidgetVisibility();
        control->Perform(CM_PARENTCHANGED);
    }
    if (control->FAlign != alNone && !IsDestroying()) {
        Realign();
    }
}

void TWinControl::Broadcast(TMessage& message) {
    const QList<TControl*> controls = FControls;
    for (TControl* control : controls) {
        control->Dispatch(message);
        if (message.Result != 0) {
            return;
        }
    }
}

TNotifyEvent* TWinControl::NotifyEvent(const QString& name) {
    if (name == QLatin1String("OnEnter")) {
        return &OnEnter;
    }
    if (name == QLatin1String("OnExit")) {
        return &OnExit;
    }
    return TControl::NotifyEvent(name);
}

std::optional<TComponent::TEventSlot> TWinControl::EventSlot(const QString& name) {
    const auto keySlot = [](TKeyEvent& event) {
        return TEventSlot{{QMetaType::fromType<quint16>(), QMetaType::fromType<TShiftState>()},
                          [&event](const TEventInvoker& invoke) {
                              event = [invoke](TObject* sender, quint16& key, TShiftState shift) {
                                  QObject* from = sender;
                                  void* arguments[] = {nullptr, &from, &key, &shift};
                                  invoke(arguments);
                              };
                          }};
    };
    if (name == QLatin1String("OnKeyDown")) {
        return keySlot(OnKeyDown);
    }
    if (name == QLatin1String("OnKeyUp")) {
        return keySlot(OnKeyUp);
    }
    if (name == QLatin1String("OnKeyPress")) {
        return TEventSlot{{QMetaType::fromType<QChar>()}, [this](const TEventInvoker& invoke) {
                              OnKeyPress = [invoke](TObject* sender, QChar& key) {
                                  QObject* from = sender;
                                  void* arguments[] = {nullptr, &from, &key};
                                  invoke(arguments);
                              };
                          }};
    }
    return TControl::EventSlot(name);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (FPendingTabOrder >= 0) {
        const int order = FPendingTabOrder;
        FPendingTabOrder = -1;
        SetTabOrder(order);
    }
    // Properties read after the frame's own (a native widget's border style) may
    // have changed what the widget shows of it.
    RecreateFrame();
    Realign();
}

void TWinControl::CMVisibleChanged(TMessage& message) {
    TControl::CMVisibleChanged(message);
}

void TWinControl::CMFontChanged(TMessage& message) {
    TControl::CMFontChanged(message);
    TMessage notify;
    notify.Msg = CM_PARENTFONTCHANGED;
    Broadcast(notify);
}

void TWinControl::CMBiDiModeChanged(TMessage& message) {
    TControl::CMBiDiModeChanged(message);
    TMessage notify;
    notify.Msg = CM_PARENTBIDIMODECHANGED;
    Broadcast(notify);
}

void TWinControl::CMColorChanged(TMessage& message) {
    TControl::CMColorChanged(message);
    TMessage notify;
    notify.Msg = CM_PARENTCOLORCHANGED;
    Broadcast(notify);
}

void TWinControl::WMSize(TMessage& message) {
    Realign();
    TControl::WMSize(message);
}

bool TWinControl::TranslateEvent(QWidget* widget, QEvent* event, bool& handled) {
    handled = true;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // X11 repeats a held key as release and press pairs; only the presses repeat
        // here, so a held Space releases (and clicks) once.
        if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            event->accept();
            return true;
        }
        if (!TranslateKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyRelease)) {
            return false;
        }
        event->accept();
        return true;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        TMessage message;
        message.Msg = event->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS;
        message.LParam = static_cast<QFocusEvent*>(event)->reason();
        message.Event = event;
        Dispatch(message);
        return true;
    }
    default:
        return TControl::TranslateEvent(widget, event, handled);
    }
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        WMKeyDown(message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        WMKeyUp(message);
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        WMChar(message);
        break;
    case WM_SETFOCUS:
        WMSetFocus(message);
        break;
    case WM_KILLFOCUS:
        WMKillFocus(message);
        break;
    case CM_DIALOGKEY:
        CMDialogKey(message);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(message);
        break;
    case CM_ENTER:
        CMEnter(message);
        break;
    case CM_EXIT:
        CMExit(message);
        break;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        break;
    case WM_NCCALCSIZE:
        WMNCCalcSize(message);
        break;
    case WM_NCPAINT:
        WMNCPaint(message);
        break;
    default:
        TControl::WndProc(message);
        break;
    }
}
