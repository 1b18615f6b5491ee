#include "framework/controls/Control.h"
#include "framework/controls/ControlPrivate.h"
#include "framework/forms/Form.h"

#include <QKeyEvent>
#include <algorithm>

using namespace control_private;

namespace {

bool IsDialogKey(int vk) {
    switch (vk) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return true;
    default:
        return false;
    }
}

bool IsArrowKey(int vk) {
    return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
}

} // namespace

int TWinControl::TabOrder() const {
    if (Parent() == nullptr) {
        return FPendingTabOrder >= 0 ? FPendingTabOrder : -1;
    }
    return static_cast<int>(Parent()->FTabList.indexOf(const_cast<TWinControl*>(this)));
}

void TWinControl::SetTabOrder(int order) {
    // While loading the siblings do not all exist yet: Loaded applies it.
    if (IsLoading() || Parent() == nullptr) {
        FPendingTabOrder = order;
        return;
    }
    QList<TWinControl*>& list = Parent()->FTabList;
    const int current = static_cast<int>(list.indexOf(this));
    if (current < 0) {
        return;
    }
    const int target = std::clamp(order, 0, static_cast<int>(list.size()) - 1);
    list.move(current, target);
}

void TWinControl::SetTabStop(bool value) {
    FTabStop = value;
}

void TWinControl::GetTabOrderList(QList<TWinControl*>& list) const {
    for (TWinControl* control : FTabList) {
        list.append(control);
        control->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
    QList<TWinControl*> list;
    GetTabOrderList(list);
    if (list.isEmpty()) {
        return nullptr;
    }
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(list.indexOf(current));
    if (start < 0) {
        start = forward ? count - 1 : 0;
    }
    int index = start;
    for (int step = 0; step < count; ++step) {
        index = forward ? (index + 1) % count : (index + count - 1) % count;
        TWinControl* candidate = list.at(index);
        if (candidate == current) {
            break;
        }
        if ((!checkTabStop || candidate->TabStop()) &&
            (!checkParent || candidate->Parent() == this) && candidate->CanFocus()) {
            return candidate;
        }
    }
    return nullptr;
}

void TWinControl::ShowControl(TControl*) {
    if (Parent() != nullptr) {
        Parent()->ShowControl(this);
    }
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop, false)) {
        next->SetFocus();
    }
}

bool TWinControl::CanFocus() const {
    // The form itself may still be hidden: focus then goes there when it shows.
    const TCustomForm* form = GetParentForm();
    if (form == nullptr) {
        return false;
    }
    for (const TControl* control = this; control != form; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled()) {
            return false;
        }
    }
    return true;
}

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) {
        form->SetActiveControl(this);
    } else {
        Handle()->setFocus(Qt::OtherFocusReason);
    }
}

bool TWinControl::Focused() const {
    return ClientWidget()->hasFocus() || Handle()->hasFocus();
}

bool TWinControl::TranslateKey(QKeyEvent* event, bool release) {
    const int vk = VirtualKeyOf(event->key());
    if (vk == 0) {
        return false;
    }
    const TShiftState shift = ShiftStateOf(event->modifiers());
    const bool alt = shift.testFlag(ssAlt);
    if (release) {
        TMessage message;
        message.Msg = alt ? WM_SYSKEYUP : WM_KEYUP;
        message.WParam = vk;
        message.LParam = shift.toInt();
        message.Event = event;
        Dispatch(message);
        return true;
    }
    if ((IsDialogKey(vk) && !shift.testFlag(ssCtrl) && !alt) || IsPageKey(vk, shift)) {
        const intptr_t code = Perform(WM_GETDLGCODE, vk);
        // Tab moves the focus on unless the control takes tabs itself (a memo that wants
        // every key for its returns passes Tab on); the page keys are always the form's.
        const bool wanted = !IsPageKey(vk, shift) &&
                            (vk == VK_TAB ? (code & DLGC_WANTTAB) != 0
                                          : (code & DLGC_WANTALLKEYS) != 0 ||
                                                (IsArrowKey(vk) && (code & DLGC_WANTARROWS) != 0));
        if (!wanted) {
            TCustomForm* form = GetParentForm();
            TControl* target = form != nullptr ? static_cast<TControl*>(form) : this;
            if (target->Perform(CM_DIALOGKEY, vk, shift.toInt()) != 0) {
                return true;
            }
        }
    }
    const QString text = event->text();
    const bool hasChar = !text.isEmpty() && vk != VK_ESCAPE && vk != VK_TAB;
    TMessage down;
    down.Msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    down.WParam = vk;
    down.LParam = shift.toInt();
    // A key that types a character gets Qt's handling through its WM_CHAR.
    down.Event = hasChar ? nullptr : event;
    Dispatch(down);
    if (down.Result != 0 || !hasChar) {
        return true;
    }
    TMessage character;
    character.Msg = alt ? WM_SYSCHAR : WM_CHAR;
    character.WParam = text.at(0).unicode();
    character.LParam = shift.toInt();
    character.Event = event;
    Dispatch(character);
    return true;
}

TWinControl* TWinControl::KeyPreviewForm() const {
    TCustomForm* form = GetParentForm();
    return form != nullptr && form != this && form->KeyPreview() ? form : nullptr;
}

void TWinControl::WMKeyDown(TMessage& message) {
    auto key = static_cast<quint16>(message.WParam);
    const auto shift = TShiftState::fromInt(static_cast<int>(message.LParam));
    // A form with KeyPreview sees the key before its focused control.
    if (TWinControl* form = KeyPreviewForm()) {
        form->KeyDown(key, shift);
    }
    if (key != 0) {
        KeyDown(key, shift);
    }
    if (key == 0) {
        message.Result = 1;
        return;
    }
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMKeyUp(TMessage& message) {
    auto key = static_cast<quint16>(message.WParam);
    KeyUp(key, TShiftState::fromInt(static_cast<int>(message.LParam)));
    if (key == 0) {
        message.Result = 1;
        return;
    }
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message) {
    QChar key(static_cast<char16_t>(message.WParam));
    if (TWinControl* form = KeyPreviewForm()) {
        form->KeyPress(key);
    }
    if (!key.isNull()) {
        KeyPress(key);
    }
    if (key.isNull()) {
        message.Result = 1;
        return;
    }
    message.WParam = key.unicode();
    const bool wantsChars = (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) != 0;
    if (message.Msg == WM_SYSCHAR || !wantsChars) {
        TCustomForm* form = GetParentForm();
        TControl* target = form != nullptr ? static_cast<TControl*>(form) : this;
        if (target->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0) {
            message.Result = 1;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::WMSetFocus(TMessage& message) {
    DefaultHandler(message);
    const auto reason = static_cast<Qt::FocusReason>(message.LParam);
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) {
        form->FocusControlChanged(this);
    }
}

void TWinControl::WMKillFocus(TMessage& message) {
    DefaultHandler(message);
    const auto reason = static_cast<Qt::FocusReason>(message.LParam);
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    Perform(CM_EXIT);
}

void TWinControl::CMDialogKey(TMessage& message) {
    Broadcast(message);
}

void TWinControl::CMDialogChar(TMessage& message) {
    Broadcast(message);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}

void TWinControl::CMExit(TMessage&) {
    DoExit();
}

void TWinControl::CMFocusChanged(TMessage& message) {
    Broadcast(message);
}

void TWinControl::KeyDown(quint16& key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
    }
}

void TWinControl::KeyUp(quint16& key, TShiftState shift) {
    if (OnKeyUp) {
        OnKeyUp(this, key, shift);
    }
}

void TWinControl::KeyPress(QChar& key) {
    if (OnKeyPress) {
        OnKeyPress(this, key);
    }
}

void TWinControl::DoEnter() {
    if (OnEnter) {
        OnEnter(this);
    }
}

void TWinControl::DoExit() {
    if (OnExit) {
        OnExit(this);
    }
}

bool IsPageKey(int vk, TShiftState shift) {
    return shift.testFlag(TControl::ssCtrl) && !shift.testFlag(TControl::ssAlt) &&
           (vk == VK_TAB || vk == VK_PRIOR || vk == VK_NEXT);
}

bool IsAccel(QChar ch, const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            const QChar next = caption.at(i + 1);
            if (next == QLatin1Char('&')) {
                ++i;
                continue;
            }
            return next.toUpper() == ch.toUpper();
        }
    }
    return false;
}
